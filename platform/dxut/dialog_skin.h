// How a dialog's buttons look: a bevelled face with a dark rim, lit from the
// top left, its label centred; brighter under the mouse, sunk and lit from
// below while pressed, grey when disabled. Each face is painted once per
// size and state into an atlas, so a button is one textured quad.
#pragma once
#include <map>
#include <tuple>

#include "platform/d3dx9/sprite_atlas.h"

enum class ButtonState { Normal, MouseOver, Pressed, Disabled };

struct ButtonFace {
  int page = -1;  // -1: too large for the atlas, not drawn
  RECT source{};
};

class ButtonSkins {
 public:
  static constexpr int kPageSize = 512;
  ButtonSkins() : pages_(kPageSize) {}

  // The face of a width × height button in `state`, painted on first use.
  const ButtonFace& Face(int width, int height, ButtonState state);
  SpriteAtlas& Pages() { return pages_; }

 private:
  SpriteAtlas pages_;
  std::map<std::tuple<int, int, ButtonState>, ButtonFace> faces_;
};

D3DCOLOR LabelColor(ButtonState state);
// Pixels right and down that a label moves with its face.
int LabelShift(ButtonState state);
