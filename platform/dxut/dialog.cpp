// The dialog's controls and how it takes the mouse and the keyboard.
#include "platform/dxut/dxut_gui.h"
#include "platform/win32/wide_text.h"

HRESULT CDXUTStatic::SetText(LPCWSTR text) {
  text_ = text ? std::u16string(text, WideLength(text)) : std::u16string();
  return S_OK;
}

CDXUTDialog::~CDXUTDialog() = default;

HRESULT CDXUTDialog::AddButton(int id, LPCWSTR text, int x, int y, int width, int height,
                               UINT hotkey, bool /*isDefault*/, CDXUTButton** created) {
  auto button = std::make_unique<CDXUTButton>(id, text, x, y, width, height, hotkey);
  if (created) *created = button.get();
  controls_.push_back(std::move(button));
  return S_OK;
}

CDXUTControl* CDXUTDialog::GetControl(int id, UINT type) const {
  for (const auto& control : controls_)
    if (control->GetID() == id && control->GetType() == type) return control.get();
  return nullptr;
}

bool CDXUTDialog::Takes(const CDXUTControl* control) const {
  return control && control->GetEnabled() && control->GetVisible();
}

CDXUTControl* CDXUTDialog::ControlAt(POINT point) const {
  for (const auto& control : controls_)
    if (Takes(control.get()) && control->ContainsPoint(point)) return control.get();
  return nullptr;
}

void CDXUTDialog::Send(CDXUTControl* control) {
  if (callback_) callback_(EVENT_BUTTON_CLICKED, control->GetID(), control);
}

bool CDXUTDialog::MsgProc(HWND /*window*/, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
      // A hotkey clicks the first button that has it and takes input now.
      for (const auto& control : controls_) {
        if (control->GetHotkey() != 0 && control->GetHotkey() == wParam && Takes(control.get())) {
          Send(control.get());
          return true;
        }
      }
      return false;

    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP: {
      POINT point{GET_X_LPARAM(lParam) - x_, GET_Y_LPARAM(lParam) - y_};
      CDXUTControl* under = ControlAt(point);
      mouseOver_ = under;
      if (message == WM_MOUSEMOVE) return false;  // the camera may want moves too
      if (message != WM_LBUTTONUP) {
        pressed_ = under;
        return under != nullptr;
      }
      // The release ends a press of ours wherever it lands; it clicks only
      // on the button pressed, and only if that still takes input.
      CDXUTControl* pressed = pressed_;
      pressed_ = nullptr;
      if (!pressed) return false;
      if (Takes(pressed) && pressed->ContainsPoint(point)) Send(pressed);
      return true;
    }
  }
  return false;
}
