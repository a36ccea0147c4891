#include "platform/win32/window.h"

// Same thread, so the message is handled before the call returns.
LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!window || !window->procedure) return 0;
  return window->procedure(window, message, wParam, lParam);
}
