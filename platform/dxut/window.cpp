// Start-up of the framework and its window, and the window's procedure.
#include <SDL2/SDL.h>

#include <cstdio>

#include "platform/d3d9/gl_device.h"
#include "platform/dxut/dxut_state.h"
#include "platform/dxut/timer.h"
#include "platform/win32/wide_text.h"

namespace {

constexpr Uint32 kWindowFlags = SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIDDEN;

bool IsKeyMessage(UINT message) {
  return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN ||
         message == WM_SYSKEYUP;
}

void HandleSize(WPARAM kind) {
  DXUTState& s = DXUT();
  if (kind == SIZE_MINIMIZED) {
    if (!s.minimized) DXUTPause(true, true);
    s.minimized = true;
    return;
  }
  if (s.minimized) DXUTPause(false, false);
  s.minimized = false;
  // A windowed back buffer follows the window; a full-screen one keeps the
  // size it was asked for. The window's size now, not the message's: size
  // messages queue up while the window changes mode.
  int w = 0, h = 0;
  if (s.window) SDL_GL_GetDrawableSize(s.window, &w, &h);
  const UINT width = UINT(w), height = UINT(h);
  if (!s.device || !s.settings.pp.Windowed || width == 0 || height == 0) return;
  if (width == s.backBuffer.Width && height == s.backBuffer.Height) return;
  s.windowedWidth = int(width);
  s.windowedHeight = int(height);
  DXUTResetDevice(width, height);
}

}  // namespace

HRESULT DXUTInit(bool parseCommandLine, bool handleDefaultHotkeys, bool showMsgBoxOnError) {
  DXUTState& s = DXUT();
  s.exitCode = 0;
  s.handleHotkeys = handleDefaultHotkeys;
  s.showMsgBoxes = showMsgBoxOnError;
  if (parseCommandLine) {
    s.commandLine = ParseDXUTCommandLine(DXUTGetCommandLineArgs());
    for (const std::string& flag : s.commandLine.unrecognized)
      std::fprintf(stderr, "Unrecognized flag: %s\n", flag.c_str());
    if (s.commandLine.noErrorMsgBoxes) s.showMsgBoxes = false;
    // The clock moves only by whole frames from now on.
    if (s.commandLine.constantFrameTime) DXUTGetGlobalTimer()->Stop();
  }
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    std::string what = std::string("Could not start the display: ") + SDL_GetError();
    DXUTReportError(DXUTERR_NODIRECT3D, what.c_str());
    return E_FAIL;
  }
  if (!s.d3d) s.d3d = CreateGLDirect3D9();
  s.initialised = true;
  return S_OK;
}

HRESULT DXUTCreateWindow(LPCWSTR title, HINSTANCE, HICON, HMENU, int x, int y) {
  DXUTState& s = DXUT();
  if (s.window) return S_OK;
  if (!s.initialised && FAILED(DXUTInit())) return E_FAIL;
  s.title = title ? WideToUtf8(title) : std::string();
  const DXUTCommandLine& c = s.commandLine;
  if (c.startX) x = *c.startX;
  if (c.startY) y = *c.startY;
  s.windowX = x == CW_USEDEFAULT ? int(SDL_WINDOWPOS_UNDEFINED) : x;
  s.windowY = y == CW_USEDEFAULT ? int(SDL_WINDOWPOS_UNDEFINED) : y;
  PrepareGLWindowAttributes();
  // Hidden until the device gives it its size.
  s.window = SDL_CreateWindow(s.title.c_str(), s.windowX, s.windowY, 640, 480, kWindowFlags);
  if (!s.window) {
    std::string what = std::string("Could not create the window: ") + SDL_GetError();
    DXUTReportError(DXUTERR_CREATINGWINDOW, what.c_str());
    return E_FAIL;
  }
  s.hwnd.procedure = DXUTWindowProc;
  SDL_StopTextInput();
  // The window's first message, as the system sends it, so the game knows
  // its window before any input arrives.
  SendMessageW(&s.hwnd, WM_CREATE, 0, 0);
  return S_OK;
}

void DXUTFitNewWindow(int width, int height) {
  DXUTState& s = DXUT();
  int w = 0, h = 0;
  SDL_GetWindowSize(s.window, &w, &h);
  if (s.windowShown || (w == width && h == height)) return;
  SDL_Window* fitted =
      SDL_CreateWindow(s.title.c_str(), s.windowX, s.windowY, width, height, kWindowFlags);
  if (!fitted) return;  // the first one will do
  SDL_DestroyWindow(s.window);
  s.window = fitted;
}

LRESULT DXUTWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DXUTState& s = DXUT();
  const DXUTCallbacks& c = s.callbacks;
  if (IsKeyMessage(message) && c.keyboard) {
    const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    c.keyboard(UINT(wParam), down, (lParam & (1 << 29)) != 0);
  }
  if (c.msgProc) {
    bool noFurtherProcessing = false;
    const LRESULT result = c.msgProc(window, message, wParam, lParam, &noFurtherProcessing);
    if (noFurtherProcessing) return result;
  }
  switch (message) {
    case WM_SIZE:
      HandleSize(wParam);
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      DXUTHandleHotkey(message, wParam, lParam);
      break;
    case WM_CLOSE:
      s.quit = true;
      break;
  }
  return 0;
}
