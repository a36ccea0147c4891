#include <SDL2/SDL.h>

#include <cstdio>

#include "platform/dxut/dxut_state.h"

void DXUTReportError(int exitCode, const char* what) {
  DXUTState& s = DXUT();
  if (s.exitCode == 0) s.exitCode = exitCode;
  // Without a display a message box cannot show; standard error always can.
  if (!s.showMsgBoxes ||
      SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, s.title.empty() ? "Error" : s.title.c_str(),
                               what, nullptr) != 0)
    std::fprintf(stderr, "%s\n", what);
}
