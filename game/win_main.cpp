// The program: the game's callbacks handed to the framework, the game made
// ready, then the window, the full-screen device and the main loop.
#include "game/flow_commands.h"
#include "game/frame_render.h"
#include "game/start_up.h"
#include "platform/dxut/dxut.h"
#include "render/device_callbacks.h"
#include "sound/sound_table.h"

int WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  DXUTSetCallbackDeviceCreated(OnDeviceCreated);
  DXUTSetCallbackDeviceReset(OnDeviceReset);
  DXUTSetCallbackDeviceLost(OnDeviceLost);
  DXUTSetCallbackDeviceDestroyed(OnDeviceDestroyed);
  DXUTSetCallbackMsgProc(OnWindowMessage);
  DXUTSetCallbackKeyboard(OnKeyboard);
  DXUTSetCallbackFrameRender(OnFrameRender);
  DXUTSetCallbackFrameMove(OnFrameMove);
  DXUTSetCursorSettings(true, true);

  InitGame();

  DXUTInit(true, true, true);
  DXUTCreateWindow(u"Tumblox", nullptr, nullptr, nullptr, CW_USEDEFAULT, CW_USEDEFAULT);
  DXUTGetEnumeration()->SetPossibleVertexProcessingList(true, true, true, true);
  DXUTCreateDevice(D3DADAPTER_DEFAULT, false, DeviceWidth, DeviceHeight, OnIsDeviceAcceptable,
                   OnModifyDeviceSettings);
  DXUTMainLoop(nullptr);

  FreeSoundTable();
  return DXUTGetExitCode();
}
