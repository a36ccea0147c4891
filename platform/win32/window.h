// A window, as far as messages go: the procedure that handles them. The
// framework owns its one window and sets the procedure; a window whose
// procedure is gone takes no messages.
#pragma once
#include "platform/win32/win32.h"

typedef LRESULT (*WNDPROC)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

struct HWND__ {
  WNDPROC procedure = nullptr;
};
