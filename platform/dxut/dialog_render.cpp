// Drawing a dialog: every face through the sprite from the skin atlas, then
// every label, so the whole dialog is two batches.
#include "platform/dxut/dialog_skin.h"
#include "platform/dxut/dxut_gui.h"

HRESULT CDXUTDialog::OnRender(float /*elapsedTime*/) {
  CDXUTDialogResourceManager* resources = DXUTGetGlobalDialogResourceManager();
  IDirect3DDevice9* device = resources->GetD3DDevice();
  ID3DXFont* font = resources->GetFont();
  ID3DXSprite* sprite = resources->GetSprite();
  ButtonSkins* skins = resources->GetSkins();
  if (!device || !font || !sprite || !skins) return S_OK;

  auto stateOf = [this](const CDXUTControl* control) {
    if (!control->GetEnabled()) return ButtonState::Disabled;
    if (control == pressed_) return ButtonState::Pressed;
    if (control == mouseOver_) return ButtonState::MouseOver;
    return ButtonState::Normal;
  };
  // Faces are painted before the upload, so one upload serves the frame.
  for (const auto& control : controls_) {
    RECT rc = control->GetRect();
    if (control->GetVisible())
      skins->Face(rc.right - rc.left, rc.bottom - rc.top, stateOf(control.get()));
  }
  HRESULT hr = skins->Pages().Upload(device);
  if (FAILED(hr)) return hr;

  hr = sprite->Begin(D3DXSPRITE_ALPHABLEND);
  if (FAILED(hr)) return hr;
  for (const auto& control : controls_) {
    if (!control->GetVisible()) continue;
    RECT rc = control->GetRect();
    const ButtonFace& face =
        skins->Face(rc.right - rc.left, rc.bottom - rc.top, stateOf(control.get()));
    if (face.page < 0) continue;
    D3DXVECTOR3 at(float(rc.left + x_), float(rc.top + y_), 0);
    sprite->Draw(skins->Pages().PageTexture(face.page), &face.source, nullptr, &at, 0xffffffff);
  }
  for (const auto& control : controls_) {
    if (!control->GetVisible()) continue;
    ButtonState state = stateOf(control.get());
    RECT rc = control->GetRect();
    LONG dx = x_ + LabelShift(state), dy = y_ + LabelShift(state);
    rc = {rc.left + dx, rc.top + dy, rc.right + dx, rc.bottom + dy};
    font->DrawTextW(sprite, static_cast<const CDXUTStatic*>(control.get())->GetText(), -1, &rc,
                    DT_CENTER | DT_VCENTER, LabelColor(state));
  }
  return sprite->End();
}
