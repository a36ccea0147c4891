// How a dialog's buttons look: a bevelled face with a dark rim, lit from the
// top left, and the label centred on it; brighter under the mouse, sunk and
// lit from below while pressed, grey when disabled.
#include "platform/dxut/dxut_gui.h"

namespace {

struct ButtonLook {
  D3DCOLOR faceTop, faceBottom;  // a vertical gradient
  D3DCOLOR rim, light, shade;    // light: top and left edges, shade: bottom and right
  D3DCOLOR label;
  int labelShift;  // the label sinks with a pressed face
};

constexpr ButtonLook kNormal{0xe0586c99, 0xe0283454, 0xf0101626, 0x90ffffff, 0x90000000,
                             0xffffffff, 0};
constexpr ButtonLook kMouseOver{0xf07c96d2, 0xf03a4c80, 0xf0101626, 0xb0ffffff, 0x90000000,
                                0xffffffff, 0};
constexpr ButtonLook kPressed{0xf0222c4a, 0xf0465a8e, 0xf0101626, 0x90000000, 0x70ffffff,
                              0xffffffff, 1};
constexpr ButtonLook kDisabled{0xc0808080, 0xc0646464, 0xc0303030, 0x40ffffff, 0x40000000,
                               0xffb0b0b0, 0};

void AddFill(SpriteBatch& batch, float l, float t, float r, float b, D3DCOLOR top,
             D3DCOLOR bottom) {
  batch.Add({l, t, r, b, 0, 0, 0, 0, top, bottom});
}

void AddFace(SpriteBatch& batch, const RECT& rc, const ButtonLook& look) {
  float l = float(rc.left), t = float(rc.top), r = float(rc.right), b = float(rc.bottom);
  if (r - l < 4 || b - t < 4) {
    AddFill(batch, l, t, r, b, look.faceTop, look.faceBottom);
    return;
  }
  AddFill(batch, l, t, r, t + 1, look.rim, look.rim);
  AddFill(batch, l, b - 1, r, b, look.rim, look.rim);
  AddFill(batch, l, t + 1, l + 1, b - 1, look.rim, look.rim);
  AddFill(batch, r - 1, t + 1, r, b - 1, look.rim, look.rim);
  AddFill(batch, l + 1, t + 1, r - 1, b - 1, look.faceTop, look.faceBottom);
  AddFill(batch, l + 1, t + 1, r - 1, t + 2, look.light, look.light);
  AddFill(batch, l + 1, t + 2, l + 2, b - 1, look.light, look.light);
  AddFill(batch, l + 1, b - 2, r - 1, b - 1, look.shade, look.shade);
  AddFill(batch, r - 2, t + 1, r - 1, b - 2, look.shade, look.shade);
}

RECT Offset(RECT rc, LONG x, LONG y) { return {rc.left + x, rc.top + y, rc.right + x, rc.bottom + y}; }

}  // namespace

HRESULT CDXUTDialog::OnRender(float /*elapsedTime*/) {
  CDXUTDialogResourceManager* resources = DXUTGetGlobalDialogResourceManager();
  IDirect3DDevice9* device = resources->GetD3DDevice();
  if (!device) return S_OK;

  auto lookOf = [this](const CDXUTControl* control) -> const ButtonLook& {
    if (!control->GetEnabled()) return kDisabled;
    if (control == pressed_) return kPressed;
    if (control == mouseOver_) return kMouseOver;
    return kNormal;
  };

  // Every face in one draw, then every label in one sprite batch.
  for (const auto& control : controls_)
    if (control->GetVisible()) AddFace(faces_, Offset(control->GetRect(), x_, y_), lookOf(control.get()));
  SpriteStates states;
  states.Save(device);
  states.Apply(device, true);
  HRESULT hr = faces_.Flush(device, nullptr);
  states.Restore(device);
  if (FAILED(hr)) return hr;

  ID3DXFont* font = resources->GetFont();
  ID3DXSprite* sprite = resources->GetSprite();
  if (!font || !sprite) return S_OK;
  hr = sprite->Begin(D3DXSPRITE_ALPHABLEND);
  if (FAILED(hr)) return hr;
  for (const auto& control : controls_) {
    if (!control->GetVisible()) continue;
    const ButtonLook& look = lookOf(control.get());
    RECT rc = Offset(control->GetRect(), x_ + look.labelShift, y_ + look.labelShift);
    font->DrawTextW(sprite, static_cast<const CDXUTStatic*>(control.get())->GetText(), -1, &rc,
                    DT_CENTER | DT_VCENTER, look.label);
  }
  return sprite->End();
}
