// The callback setters and the plain getters of the framework's state.
#include "platform/dxut/dxut_state.h"

DXUTState& DXUT() {
  static DXUTState state;
  return state;
}

void DXUTSetCallbackDeviceCreated(LPDXUTCALLBACKDEVICECREATED c) { DXUT().callbacks.deviceCreated = c; }
void DXUTSetCallbackDeviceReset(LPDXUTCALLBACKDEVICERESET c) { DXUT().callbacks.deviceReset = c; }
void DXUTSetCallbackDeviceLost(LPDXUTCALLBACKDEVICELOST c) { DXUT().callbacks.deviceLost = c; }
void DXUTSetCallbackDeviceDestroyed(LPDXUTCALLBACKDEVICEDESTROYED c) {
  DXUT().callbacks.deviceDestroyed = c;
}
void DXUTSetCallbackMsgProc(LPDXUTCALLBACKMSGPROC c) { DXUT().callbacks.msgProc = c; }
void DXUTSetCallbackKeyboard(LPDXUTCALLBACKKEYBOARD c) { DXUT().callbacks.keyboard = c; }
void DXUTSetCallbackFrameRender(LPDXUTCALLBACKFRAMERENDER c) { DXUT().callbacks.frameRender = c; }
void DXUTSetCallbackFrameMove(LPDXUTCALLBACKFRAMEMOVE c) { DXUT().callbacks.frameMove = c; }

void DXUTSetCursorSettings(bool showCursorWhenFullScreen, bool clipCursorWhenFullScreen) {
  DXUT().showCursorWhenFullScreen = showCursorWhenFullScreen;
  DXUT().clipCursorWhenFullScreen = clipCursorWhenFullScreen;
}

void CD3DEnumeration::SetPossibleVertexProcessingList(bool sw, bool hw, bool pure, bool mix) {
  software = sw;
  hardware = hw;
  pureHardware = pure;
  mixed = mix;
}

CD3DEnumeration* DXUTGetEnumeration() { return &DXUT().enumeration; }

IDirect3DDevice9* DXUTGetD3DDevice() { return DXUT().device; }
IDirect3D9* DXUTGetD3DObject() { return DXUT().d3d; }
const D3DSURFACE_DESC* DXUTGetBackBufferSurfaceDesc() { return &DXUT().backBuffer; }
DXUTDeviceSettings DXUTGetDeviceSettings() { return DXUT().settings; }
HWND DXUTGetHWND() { return DXUT().window ? &DXUT().hwnd : nullptr; }
bool DXUTIsWindowed() { return DXUT().settings.pp.Windowed != FALSE; }
int DXUTGetExitCode() { return DXUT().exitCode; }
bool DXUTIsRenderingPaused() { return DXUT().pauseRenderingCount > 0; }
bool DXUTIsTimePaused() { return DXUT().pauseTimeCount > 0; }
