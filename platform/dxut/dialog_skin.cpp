#include "platform/dxut/dialog_skin.h"

namespace {

struct Look {
  D3DCOLOR faceTop, faceBottom;  // a vertical gradient
  D3DCOLOR rim, light, shade;    // light: top and left edges, shade: bottom and right
  D3DCOLOR label;
  int labelShift;
};

constexpr Look kLooks[] = {
    {0xe0586c99, 0xe0283454, 0xf0101626, 0x90ffffff, 0x90000000, 0xffffffff, 0},  // normal
    {0xf07c96d2, 0xf03a4c80, 0xf0101626, 0xb0ffffff, 0x90000000, 0xffffffff, 0},  // mouse over
    {0xf0222c4a, 0xf0465a8e, 0xf0101626, 0x90000000, 0x70ffffff, 0xffffffff, 1},  // pressed
    {0xc0808080, 0xc0646464, 0xc0303030, 0x40ffffff, 0x40000000, 0xffb0b0b0, 0},  // disabled
};

const Look& LookOf(ButtonState state) { return kLooks[int(state)]; }

u32 Channel(D3DCOLOR c, int shift) { return (c >> shift) & 0xff; }

// a to b by t in [0, 1], channel by channel.
D3DCOLOR Mix(D3DCOLOR a, D3DCOLOR b, float t) {
  D3DCOLOR out = 0;
  for (int shift = 0; shift < 32; shift += 8)
    out |= u32(float(Channel(a, shift)) +
               (float(Channel(b, shift)) - float(Channel(a, shift))) * t + 0.5f)
           << shift;
  return out;
}

// `over` laid on `under` by its alpha; the face keeps its own alpha.
D3DCOLOR Over(D3DCOLOR under, D3DCOLOR over) {
  D3DCOLOR mixed = Mix(under, over | 0xff000000u, float(over >> 24) / 255.0f);
  return (mixed & 0x00ffffffu) | (under & 0xff000000u);
}

}  // namespace

const ButtonFace& ButtonSkins::Face(int width, int height, ButtonState state) {
  auto key = std::make_tuple(width, height, state);
  auto found = faces_.find(key);
  if (found != faces_.end()) return found->second;

  ButtonFace face;
  if (pages_.Reserve(width, height, &face.page, &face.source)) {
    const Look& look = LookOf(state);
    for (int y = 0; y < height; ++y) {
      u32* row = pages_.Row(face.page, face.source.top + y) + face.source.left;
      D3DCOLOR fill =
          Mix(look.faceTop, look.faceBottom, height > 1 ? float(y) / float(height - 1) : 0);
      for (int x = 0; x < width; ++x) {
        bool rim = x == 0 || y == 0 || x == width - 1 || y == height - 1;
        bool lit = y == 1 || x == 1;
        bool shaded = y == height - 2 || x == width - 2;
        D3DCOLOR c = rim      ? look.rim
                     : lit    ? Over(fill, look.light)
                     : shaded ? Over(fill, look.shade)
                              : fill;
        row[x] = c;
      }
    }
  } else {
    face.page = -1;
  }
  return faces_.emplace(key, face).first->second;
}

D3DCOLOR LabelColor(ButtonState state) { return LookOf(state).label; }
int LabelShift(ButtonState state) { return LookOf(state).labelShift; }
