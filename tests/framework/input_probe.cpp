// A program on the framework alone that writes every key and mouse button
// reaching its callbacks to standard output, one line each, and closes its
// window when Q is released. The input test drives it under a virtual X
// display.
#include <cstdio>

#include "platform/dxut/dxut.h"

namespace {

void Print(const char* line) {
  std::fputs(line, stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

void OnKeyboard(UINT key, bool down, bool alt) {
  char line[64];
  std::snprintf(line, sizeof line, "key %u %s%s", key, down ? "down" : "up", alt ? " alt" : "");
  Print(line);
}

LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool*) {
  const char* name = nullptr;
  switch (message) {
    case WM_KEYDOWN: name = "WM_KEYDOWN"; break;
    case WM_KEYUP: name = "WM_KEYUP"; break;
    case WM_SYSKEYDOWN: name = "WM_SYSKEYDOWN"; break;
    case WM_SYSKEYUP: name = "WM_SYSKEYUP"; break;
    case WM_LBUTTONDOWN: name = "WM_LBUTTONDOWN"; break;
    case WM_LBUTTONUP: name = "WM_LBUTTONUP"; break;
    case WM_RBUTTONDOWN: name = "WM_RBUTTONDOWN"; break;
    case WM_RBUTTONUP: name = "WM_RBUTTONUP"; break;
    case WM_CLOSE: name = "WM_CLOSE"; break;
    default: return 0;
  }
  char line[96];
  if (message >= WM_LBUTTONDOWN && message <= WM_RBUTTONUP)
    std::snprintf(line, sizeof line, "%s %d,%d", name, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  else
    std::snprintf(line, sizeof line, "%s %u", name, unsigned(wParam));
  Print(line);
  if (message == WM_KEYUP && wParam == 'Q') SendMessageW(window, WM_CLOSE, 0, 0);
  return 0;
}

HRESULT OnReset(IDirect3DDevice9*, const D3DSURFACE_DESC* backBuffer) {
  char line[64];
  std::snprintf(line, sizeof line, "reset %ux%u", backBuffer->Width, backBuffer->Height);
  Print(line);
  return S_OK;
}

void OnLost() { Print("lost"); }
void OnDestroyed() { Print("destroyed"); }

void OnRender(IDirect3DDevice9* device, double, float) {
  device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xff424b79, 1.0f, 0);
}

}  // namespace

int WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  DXUTSetCallbackDeviceReset(OnReset);
  DXUTSetCallbackDeviceLost(OnLost);
  DXUTSetCallbackDeviceDestroyed(OnDestroyed);
  DXUTSetCallbackMsgProc(OnMessage);
  DXUTSetCallbackKeyboard(OnKeyboard);
  DXUTSetCallbackFrameRender(OnRender);
  DXUTInit(true, true, true);
  DXUTCreateWindow(u"Input probe");
  DXUTCreateDevice(0, true, 320, 240);
  DXUTMainLoop();
  return DXUTGetExitCode();
}
