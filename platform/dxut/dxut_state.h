// The framework's one state record, shared by its files.
#pragma once
#include <chrono>
#include <string>

#include "platform/dxut/command_line.h"
#include "platform/dxut/dxut.h"
#include "platform/win32/window.h"

struct SDL_Window;

struct DXUTCallbacks {
  LPDXUTCALLBACKDEVICECREATED deviceCreated = nullptr;
  LPDXUTCALLBACKDEVICERESET deviceReset = nullptr;
  LPDXUTCALLBACKDEVICELOST deviceLost = nullptr;
  LPDXUTCALLBACKDEVICEDESTROYED deviceDestroyed = nullptr;
  LPDXUTCALLBACKMSGPROC msgProc = nullptr;
  LPDXUTCALLBACKKEYBOARD keyboard = nullptr;
  LPDXUTCALLBACKFRAMERENDER frameRender = nullptr;
  LPDXUTCALLBACKFRAMEMOVE frameMove = nullptr;
  LPDXUTCALLBACKISDEVICEACCEPTABLE isDeviceAcceptable = nullptr;
  LPDXUTCALLBACKMODIFYDEVICESETTINGS modifyDeviceSettings = nullptr;
};

struct DXUTState {
  DXUTCallbacks callbacks;
  bool showCursorWhenFullScreen = true;
  bool clipCursorWhenFullScreen = true;
  CD3DEnumeration enumeration;

  bool initialised = false;
  bool handleHotkeys = true;
  bool showMsgBoxes = true;
  DXUTCommandLine commandLine;

  SDL_Window* window = nullptr;
  int windowX = 0, windowY = 0;  // where it was asked to be
  bool windowShown = false;
  HWND__ hwnd;
  std::string title;

  IDirect3D9* d3d = nullptr;
  IDirect3DDevice9* device = nullptr;
  DXUTDeviceSettings settings{};
  D3DSURFACE_DESC backBuffer{};
  bool objectsCreated = false;  // device-created ran; destroyed owed
  bool objectsReset = false;    // device-reset ran; lost owed
  int windowedWidth = 0, windowedHeight = 0;  // back buffer when windowed
  int fullScreenWidth = 0, fullScreenHeight = 0;

  int pauseTimeCount = 0, pauseRenderingCount = 0;
  bool minimized = false;
  bool pausedByKey = false;
  bool wireframe = false;
  bool quit = false;
  int frames = 0;
  double lastFrameTime = 0.0;
  std::chrono::steady_clock::time_point nextFrame;  // no frame starts before it
  int exitCode = 0;
};

DXUTState& DXUT();

// Reports a failure the framework's way (a message box, or standard error)
// and keeps the first exit code.
void DXUTReportError(int exitCode, const char* what);
// The procedure of the framework's window: keyboard callback, message
// callback, then the framework's own handling.
LRESULT DXUTWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Lets the device go: device lost, then destroyed, for what ran.
void DXUTReleaseDevice();
// Resets the device with a new back-buffer size: lost, then reset.
HRESULT DXUTResetDevice(UINT width, UINT height);
// Makes the window, while it has never been shown, again at the back
// buffer's size: a surface without a window system (SDL's offscreen driver)
// keeps the size it was made with.
void DXUTFitNewWindow(int width, int height);
// The framework's hotkeys for a key-down message; true when one acted.
bool DXUTHandleHotkey(UINT message, WPARAM key, LPARAM lParam);
