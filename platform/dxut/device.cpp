// The device's life: chosen, created, reset, re-created and let go, with the
// game's device callbacks in their order.
#include <SDL2/SDL.h>

#include <string>

#include "platform/d3d9/gl_device.h"
#include "platform/dxut/dxut_gui.h"
#include "platform/dxut/dxut_state.h"

namespace {

// The best vertex processing the device has and the game allows.
DWORD DefaultBehavior(const D3DCAPS9& caps, const CD3DEnumeration& e) {
  const bool transformAndLight = (caps.DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT) != 0;
  if (transformAndLight && e.pureHardware)
    return D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_PUREDEVICE;
  if (transformAndLight && e.hardware) return D3DCREATE_HARDWARE_VERTEXPROCESSING;
  if (transformAndLight && e.mixed) return D3DCREATE_MIXED_VERTEXPROCESSING;
  if (e.software) return D3DCREATE_SOFTWARE_VERTEXPROCESSING;
  return 0;
}

void Fail(int exitCode, const std::string& what) {
  DXUTReportError(exitCode, what.c_str());
  DXUT().quit = true;
}

void ApplyWindowMode() {
  DXUTState& s = DXUT();
  const D3DPRESENT_PARAMETERS& pp = s.settings.pp;
  if (pp.Windowed) {
    SDL_SetWindowFullscreen(s.window, 0);
    SDL_SetWindowSize(s.window, int(pp.BackBufferWidth), int(pp.BackBufferHeight));
    SDL_SetWindowGrab(s.window, SDL_FALSE);
    SDL_ShowCursor(SDL_ENABLE);
  } else {
    SDL_SetWindowFullscreen(s.window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    SDL_SetWindowGrab(s.window, s.clipCursorWhenFullScreen ? SDL_TRUE : SDL_FALSE);
    SDL_ShowCursor(s.showCursorWhenFullScreen ? SDL_ENABLE : SDL_DISABLE);
  }
  SDL_ShowWindow(s.window);
  s.windowShown = true;
}

void NoteBackBuffer() {
  DXUTState& s = DXUT();
  s.backBuffer = D3DSURFACE_DESC{s.settings.pp.BackBufferFormat, D3DRTYPE_SURFACE, 0,
                                 D3DPOOL_DEFAULT, s.settings.pp.BackBufferWidth,
                                 s.settings.pp.BackBufferHeight};
  if (s.wireframe) s.device->SetRenderState(D3DRS_FILLMODE, D3DFILL_WIREFRAME);
}

// Runs device reset; a failure ends the loop.
HRESULT RunDeviceReset() {
  DXUTState& s = DXUT();
  s.objectsReset = true;  // a partial reset is given back by device lost too
  // The dialogs' shared objects first, then the game's.
  HRESULT hr = DXUTGetGlobalDialogResourceManager()->OnResetDevice();
  if (SUCCEEDED(hr) && s.callbacks.deviceReset) hr = s.callbacks.deviceReset(s.device, &s.backBuffer);
  if (FAILED(hr)) Fail(DXUTERR_RESETTINGDEVICEOBJECTS, "The game could not reset its device objects.");
  return hr;
}

// Runs device lost when device reset ran: the dialogs' objects, then the
// game's.
void RunDeviceLost() {
  DXUTState& s = DXUT();
  if (!s.objectsReset) return;
  s.objectsReset = false;
  DXUTGetGlobalDialogResourceManager()->OnLostDevice();
  if (s.callbacks.deviceLost) s.callbacks.deviceLost();
}

// Makes the device of s.settings and runs device created and reset.
HRESULT StartDevice() {
  DXUTState& s = DXUT();
  DXUTFitNewWindow(int(s.settings.pp.BackBufferWidth), int(s.settings.pp.BackBufferHeight));
  ApplyWindowMode();
  const D3DPRESENT_PARAMETERS& pp = s.settings.pp;
  HRESULT hr = CreateGLDevice(s.window, s.settings.DeviceType, pp.BackBufferWidth,
                              pp.BackBufferHeight, &s.device);
  if (FAILED(hr)) {
    Fail(DXUTERR_CREATINGDEVICE,
         std::string("Could not create the OpenGL device: ") + SDL_GetError());
    return hr;
  }
  NoteBackBuffer();
  s.objectsCreated = true;
  hr = DXUTGetGlobalDialogResourceManager()->OnCreateDevice(s.device);
  if (SUCCEEDED(hr) && s.callbacks.deviceCreated) hr = s.callbacks.deviceCreated(s.device, &s.backBuffer);
  if (FAILED(hr)) {
    Fail(DXUTERR_CREATINGDEVICEOBJECTS, "The game could not create its device objects.");
    return hr;
  }
  return RunDeviceReset();
}

// The command line's say over the device, after the game's.
void ApplyCommandLine(DXUTDeviceSettings* st) {
  const DXUTCommandLine& c = DXUT().commandLine;
  if (c.adapter) st->AdapterOrdinal = *c.adapter;
  if (c.windowed) st->pp.Windowed = *c.windowed;
  if (c.width) st->pp.BackBufferWidth = UINT(*c.width);
  if (c.height) st->pp.BackBufferHeight = UINT(*c.height);
  if (c.deviceType) st->DeviceType = *c.deviceType;
  if (c.behaviorFlags) st->BehaviorFlags = *c.behaviorFlags;
}

void RememberSizes() {
  DXUTState& s = DXUT();
  const D3DPRESENT_PARAMETERS& pp = s.settings.pp;
  int& w = pp.Windowed ? s.windowedWidth : s.fullScreenWidth;
  int& h = pp.Windowed ? s.windowedHeight : s.fullScreenHeight;
  w = int(pp.BackBufferWidth);
  h = int(pp.BackBufferHeight);
}

// The game's choice of settings for a device of `type`; false when the
// game will not take that device.
bool ChooseSettings(D3DDEVTYPE type, DXUTDeviceSettings* st) {
  DXUTState& s = DXUT();
  st->DeviceType = type;
  D3DCAPS9 caps;
  GetGLDeviceCaps(type, &caps);
  if (s.callbacks.isDeviceAcceptable &&
      !s.callbacks.isDeviceAcceptable(&caps, st->AdapterFormat, st->pp.BackBufferFormat,
                                      st->pp.Windowed != FALSE))
    return false;
  st->BehaviorFlags = DefaultBehavior(caps, s.enumeration);
  if (st->BehaviorFlags == 0) return false;
  if (s.callbacks.modifyDeviceSettings) s.callbacks.modifyDeviceSettings(st, &caps);
  ApplyCommandLine(st);
  return true;
}

}  // namespace

HRESULT DXUTCreateDevice(UINT adapter, bool windowed, int width, int height,
                         LPDXUTCALLBACKISDEVICEACCEPTABLE isDeviceAcceptable,
                         LPDXUTCALLBACKMODIFYDEVICESETTINGS modifyDeviceSettings) {
  DXUTState& s = DXUT();
  if (s.device) return S_OK;
  if (!s.window && FAILED(DXUTCreateWindow())) return E_FAIL;
  s.callbacks.isDeviceAcceptable = isDeviceAcceptable;
  s.callbacks.modifyDeviceSettings = modifyDeviceSettings;

  DXUTDeviceSettings st{};
  st.AdapterOrdinal = adapter;
  st.AdapterFormat = D3DFMT_X8R8G8B8;
  st.pp.BackBufferWidth = UINT(width > 0 ? width : 640);
  st.pp.BackBufferHeight = UINT(height > 0 ? height : 480);
  st.pp.BackBufferFormat = D3DFMT_X8R8G8B8;
  st.pp.BackBufferCount = 1;
  st.pp.hDeviceWindow = &s.hwnd;
  st.pp.Windowed = windowed;
  st.pp.EnableAutoDepthStencil = TRUE;
  st.pp.AutoDepthStencilFormat = D3DFMT_D24S8;
  st.pp.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
  ApplyCommandLine(&st);
  if (st.AdapterOrdinal != D3DADAPTER_DEFAULT) {
    Fail(DXUTERR_NOCOMPATIBLEDEVICES,
         "No compatible device: adapter " + std::to_string(st.AdapterOrdinal) + " does not exist.");
    return E_FAIL;
  }
  // The hardware device first, then the reference one, unless the command
  // line names one.
  const DXUTDeviceSettings asked = st;
  bool found = false;
  for (D3DDEVTYPE type : {D3DDEVTYPE_HAL, D3DDEVTYPE_REF}) {
    if (s.commandLine.deviceType && *s.commandLine.deviceType != type) continue;
    st = asked;
    if ((found = ChooseSettings(type, &st))) break;
  }
  if (!found) {
    Fail(DXUTERR_NOCOMPATIBLEDEVICES, "No compatible device: the game accepts none there is.");
    return E_FAIL;
  }
  s.settings = st;
  s.windowedWidth = s.fullScreenWidth = int(st.pp.BackBufferWidth);
  s.windowedHeight = s.fullScreenHeight = int(st.pp.BackBufferHeight);
  return StartDevice();
}

HRESULT DXUTResetDevice(UINT width, UINT height) {
  DXUTState& s = DXUT();
  if (!s.device) return E_FAIL;
  RunDeviceLost();
  const HRESULT hr = ResetGLDevice(s.device, width, height);
  if (FAILED(hr)) {
    Fail(DXUTERR_RESETTINGDEVICE, "Could not reset the OpenGL device.");
    return hr;
  }
  s.settings.pp.BackBufferWidth = width;
  s.settings.pp.BackBufferHeight = height;
  NoteBackBuffer();
  return RunDeviceReset();
}

void DXUTReleaseDevice() {
  DXUTState& s = DXUT();
  RunDeviceLost();
  if (s.objectsCreated) {
    s.objectsCreated = false;
    DXUTGetGlobalDialogResourceManager()->OnDestroyDevice();
    if (s.callbacks.deviceDestroyed) s.callbacks.deviceDestroyed();
  }
  if (s.device) s.device->Release();
  s.device = nullptr;
}

HRESULT DXUTChangeDevice(const DXUTDeviceSettings* settings) {
  DXUTState& s = DXUT();
  if (!s.device || !settings) return E_FAIL;
  DXUTDeviceSettings st = *settings;
  if (st.DeviceType != s.settings.DeviceType || st.AdapterOrdinal != s.settings.AdapterOrdinal) {
    // Another kind of device: a new one, which the game fills afresh.
    D3DCAPS9 caps;
    GetGLDeviceCaps(st.DeviceType, &caps);
    if (s.callbacks.modifyDeviceSettings) s.callbacks.modifyDeviceSettings(&st, &caps);
    DXUTReleaseDevice();
    s.settings = st;
    RememberSizes();
    return StartDevice();
  }
  s.settings = st;
  RememberSizes();
  ApplyWindowMode();
  return DXUTResetDevice(st.pp.BackBufferWidth, st.pp.BackBufferHeight);
}

HRESULT DXUTToggleFullScreen() {
  DXUTState& s = DXUT();
  if (!s.device) return E_FAIL;
  DXUTDeviceSettings st = s.settings;
  st.pp.Windowed = !st.pp.Windowed;
  st.pp.BackBufferWidth = UINT(st.pp.Windowed ? s.windowedWidth : s.fullScreenWidth);
  st.pp.BackBufferHeight = UINT(st.pp.Windowed ? s.windowedHeight : s.fullScreenHeight);
  return DXUTChangeDevice(&st);
}

HRESULT DXUTToggleREF() {
  DXUTState& s = DXUT();
  if (!s.device) return E_FAIL;
  DXUTDeviceSettings st = s.settings;
  st.DeviceType = st.DeviceType == D3DDEVTYPE_HAL ? D3DDEVTYPE_REF : D3DDEVTYPE_HAL;
  return DXUTChangeDevice(&st);
}
