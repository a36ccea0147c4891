#include "platform/dxut/dxut_gui.h"

void CDXUTTextHelper::Begin() {
  if (sprite_) sprite_->Begin(D3DXSPRITE_ALPHABLEND);
}

HRESULT CDXUTTextHelper::DrawTextLine(LPCWSTR text) {
  if (!font_) return D3DERR_INVALIDCALL;
  RECT rc{x_, y_, x_, y_};
  INT height = font_->DrawTextW(sprite_, text, -1, &rc, DT_NOCLIP, color_);
  y_ += lineHeight_;
  return height > 0 || (text && !text[0]) ? S_OK : E_FAIL;
}

void CDXUTTextHelper::End() {
  if (sprite_) sprite_->End();
}
