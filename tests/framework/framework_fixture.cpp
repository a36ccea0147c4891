#include "tests/framework/framework_fixture.h"

#include <cstdio>

#include "platform/dxut/command_line.h"

std::vector<std::string> FrameworkTest::log;
std::function<void(int)> FrameworkTest::frameScript;
std::function<bool(UINT, WPARAM)> FrameworkTest::stopMessage;
bool FrameworkTest::failCreated = false;
bool FrameworkTest::acceptNone = false;

namespace {

int g_frame = 0;

std::string Size(const D3DSURFACE_DESC* d) {
  return std::to_string(d->Width) + "x" + std::to_string(d->Height);
}

HRESULT OnCreated(IDirect3DDevice9*, const D3DSURFACE_DESC* d) {
  FrameworkTest::log.push_back("created " + Size(d));
  return FrameworkTest::failCreated ? E_FAIL : S_OK;
}
HRESULT OnReset(IDirect3DDevice9*, const D3DSURFACE_DESC* d) {
  FrameworkTest::log.push_back("reset " + Size(d));
  return S_OK;
}
void OnLost() { FrameworkTest::log.push_back("lost"); }
void OnDestroyed() { FrameworkTest::log.push_back("destroyed"); }
void OnMove(IDirect3DDevice9*, double time, float elapsed) {
  char line[64];
  std::snprintf(line, sizeof line, "move %g %g", time, double(elapsed));
  FrameworkTest::log.push_back(line);
}
void OnRender(IDirect3DDevice9* device, double, float) {
  FrameworkTest::log.push_back("render");
  device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
  g_frame += 1;
  if (FrameworkTest::frameScript) FrameworkTest::frameScript(g_frame);
}
void OnKeyboard(UINT key, bool down, bool alt) {
  FrameworkTest::log.push_back("key " + std::to_string(key) + (down ? " down" : " up") +
                               (alt ? " alt" : ""));
}
LRESULT OnMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam, bool* noFurther) {
  char line[64];
  if (message >= WM_KEYDOWN && message <= WM_SYSKEYUP)
    std::snprintf(line, sizeof line, "msg %04x %u %08x", message, unsigned(wParam),
                  unsigned(lParam));
  else
    std::snprintf(line, sizeof line, "msg %04x %u %d,%d", message, unsigned(wParam),
                  GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  if (message != WM_MOUSEMOVE && message != WM_SIZE) FrameworkTest::log.push_back(line);
  if (FrameworkTest::stopMessage && FrameworkTest::stopMessage(message, wParam)) *noFurther = true;
  return 0;
}
bool OnAcceptable(D3DCAPS9*, D3DFORMAT, D3DFORMAT, bool) { return !FrameworkTest::acceptNone; }
void OnModify(DXUTDeviceSettings* settings, const D3DCAPS9* caps) {
  FrameworkTest::log.push_back(std::string("modify ") +
                               (caps->DeviceType == D3DDEVTYPE_REF ? "ref" : "hal"));
  settings->BehaviorFlags = D3DCREATE_SOFTWARE_VERTEXPROCESSING;
}

}  // namespace

void FrameworkTest::SetUp() {
  log.clear();
  frameScript = nullptr;
  stopMessage = nullptr;
  failCreated = acceptNone = false;
  g_frame = 0;
}

void FrameworkTest::TearDown() { frameScript = nullptr; }

int FrameworkTest::Run(std::vector<std::string> args) {
  std::vector<char*> argv;
  std::string name = "framework_test";
  argv.push_back(name.data());
  for (std::string& a : args) argv.push_back(a.data());
  DXUTSetCommandLine(int(argv.size()), argv.data());
  DXUTSetCallbackDeviceCreated(OnCreated);
  DXUTSetCallbackDeviceReset(OnReset);
  DXUTSetCallbackDeviceLost(OnLost);
  DXUTSetCallbackDeviceDestroyed(OnDestroyed);
  DXUTSetCallbackMsgProc(OnMessage);
  DXUTSetCallbackKeyboard(OnKeyboard);
  DXUTSetCallbackFrameRender(OnRender);
  DXUTSetCallbackFrameMove(OnMove);
  DXUTSetCursorSettings(true, true);
  DXUTInit(true, true, true);
  DXUTCreateWindow(u"Framework test");
  DXUTGetEnumeration()->SetPossibleVertexProcessingList(true, true, true, true);
  DXUTCreateDevice(0, false, 1024, 768, OnAcceptable, OnModify);
  DXUTMainLoop();
  frames = g_frame;
  return DXUTGetExitCode();
}

void FrameworkTest::PushKey(SDL_Keycode key, bool down, Uint16 mod, bool repeat) {
  SDL_Event e{};
  e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  e.key.repeat = repeat ? 1 : 0;
  e.key.keysym.sym = key;
  e.key.keysym.scancode = SDL_GetScancodeFromKey(key);
  e.key.keysym.mod = mod;
  SDL_PushEvent(&e);
}

void FrameworkTest::PushButton(Uint8 button, bool down, int x, int y, int clicks) {
  SDL_Event e{};
  e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  e.button.button = button;
  e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
  e.button.clicks = Uint8(clicks);
  e.button.x = x;
  e.button.y = y;
  SDL_PushEvent(&e);
}

std::vector<std::string> FrameworkTest::Only(const std::vector<std::string>& prefixes) const {
  std::vector<std::string> kept;
  for (const std::string& line : log)
    for (const std::string& p : prefixes)
      if (line.compare(0, p.size(), p) == 0) {
        kept.push_back(line);
        break;
      }
  return kept;
}
