// The application framework: one window, one Direct3D device drawn with
// OpenGL, the message and frame loop, the frame clock and the command line.
// The game hands it callbacks; every callback runs on the window thread.
#pragma once
#include "platform/d3d9/d3d9.h"
#include "platform/win32/win32.h"

// The device the framework makes, and how it was asked for.
struct DXUTDeviceSettings {
  UINT AdapterOrdinal;
  D3DDEVTYPE DeviceType;
  D3DFORMAT AdapterFormat;
  DWORD BehaviorFlags;
  D3DPRESENT_PARAMETERS pp;
};

typedef bool (*LPDXUTCALLBACKISDEVICEACCEPTABLE)(D3DCAPS9* caps, D3DFORMAT adapterFormat,
                                                 D3DFORMAT backBufferFormat, bool windowed);
typedef void (*LPDXUTCALLBACKMODIFYDEVICESETTINGS)(DXUTDeviceSettings* settings,
                                                   const D3DCAPS9* caps);
typedef HRESULT (*LPDXUTCALLBACKDEVICECREATED)(IDirect3DDevice9* device,
                                               const D3DSURFACE_DESC* backBuffer);
typedef HRESULT (*LPDXUTCALLBACKDEVICERESET)(IDirect3DDevice9* device,
                                             const D3DSURFACE_DESC* backBuffer);
typedef void (*LPDXUTCALLBACKDEVICELOST)();
typedef void (*LPDXUTCALLBACKDEVICEDESTROYED)();
typedef void (*LPDXUTCALLBACKFRAMEMOVE)(IDirect3DDevice9* device, double time, float elapsed);
typedef void (*LPDXUTCALLBACKFRAMERENDER)(IDirect3DDevice9* device, double time, float elapsed);
typedef LRESULT (*LPDXUTCALLBACKMSGPROC)(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         bool* noFurtherProcessing);
typedef void (*LPDXUTCALLBACKKEYBOARD)(UINT key, bool keyDown, bool altDown);

void DXUTSetCallbackDeviceCreated(LPDXUTCALLBACKDEVICECREATED callback);
void DXUTSetCallbackDeviceReset(LPDXUTCALLBACKDEVICERESET callback);
void DXUTSetCallbackDeviceLost(LPDXUTCALLBACKDEVICELOST callback);
void DXUTSetCallbackDeviceDestroyed(LPDXUTCALLBACKDEVICEDESTROYED callback);
void DXUTSetCallbackMsgProc(LPDXUTCALLBACKMSGPROC callback);
void DXUTSetCallbackKeyboard(LPDXUTCALLBACKKEYBOARD callback);
void DXUTSetCallbackFrameRender(LPDXUTCALLBACKFRAMERENDER callback);
void DXUTSetCallbackFrameMove(LPDXUTCALLBACKFRAMEMOVE callback);

// Cursor in full screen: shown, and kept inside the window.
void DXUTSetCursorSettings(bool showCursorWhenFullScreen, bool clipCursorWhenFullScreen);

// Reads the command line's framework flags (when asked), turns on the
// framework's hotkeys (Pause, F2, F3, F8, Alt+Enter) and chooses how
// failures are reported: message boxes, or standard error.
HRESULT DXUTInit(bool parseCommandLine = true, bool handleDefaultHotkeys = true,
                 bool showMsgBoxOnError = true);
HRESULT DXUTCreateWindow(LPCWSTR title = u"Direct3D Window", HINSTANCE instance = nullptr,
                         HICON icon = nullptr, HMENU menu = nullptr, int x = CW_USEDEFAULT,
                         int y = CW_USEDEFAULT);
// Makes the device, running the device-created and device-reset callbacks.
// The command line's flags override the arguments.
HRESULT DXUTCreateDevice(UINT adapter = D3DADAPTER_DEFAULT, bool windowed = true,
                         int width = 640, int height = 480,
                         LPDXUTCALLBACKISDEVICEACCEPTABLE isDeviceAcceptable = nullptr,
                         LPDXUTCALLBACKMODIFYDEVICESETTINGS modifyDeviceSettings = nullptr);
// Messages first; when none wait, frame move, frame render and present.
// Returns when the window has closed, after device lost and destroyed.
HRESULT DXUTMainLoop(HACCEL accelerators = nullptr);
// 0 after a normal run; otherwise what failed (see DXUTERR_* below).
int DXUTGetExitCode();
// Lets the device go (device lost, then destroyed) and closes the window;
// DXUTMainLoop does this as it returns. Safe to call again.
void DXUTShutdown(int exitCode = 0);

// The vertex-processing kinds the device may be created with.
class CD3DEnumeration {
 public:
  void SetPossibleVertexProcessingList(bool software, bool hardware, bool pureHardware,
                                       bool mixed);
  bool software = true, hardware = true, pureHardware = true, mixed = true;
};
CD3DEnumeration* DXUTGetEnumeration();

IDirect3DDevice9* DXUTGetD3DDevice();
IDirect3D9* DXUTGetD3DObject();
const D3DSURFACE_DESC* DXUTGetBackBufferSurfaceDesc();
DXUTDeviceSettings DXUTGetDeviceSettings();
HWND DXUTGetHWND();
bool DXUTIsWindowed();

HRESULT DXUTToggleFullScreen();
// Switches between the hardware and the reference device: the device is
// lost, destroyed, created and reset.
HRESULT DXUTToggleREF();
// Changes the device to `settings`: a new device when the kind changes,
// else a reset of the one there is.
HRESULT DXUTChangeDevice(const DXUTDeviceSettings* settings);
// Each true counts one more pause, each false takes one back.
void DXUTPause(bool pauseTime, bool pauseRendering);
bool DXUTIsRenderingPaused();
bool DXUTIsTimePaused();

// Exit codes.
#define DXUTERR_NODIRECT3D 2
#define DXUTERR_NOCOMPATIBLEDEVICES 3
#define DXUTERR_CREATINGDEVICE 6
#define DXUTERR_RESETTINGDEVICE 7
#define DXUTERR_CREATINGDEVICEOBJECTS 8
#define DXUTERR_RESETTINGDEVICEOBJECTS 9
#define DXUTERR_CREATINGWINDOW 1

// The game's entry point; the framework's main() calls it with the command
// line's arguments joined by spaces.
int WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine, int showCommand);
