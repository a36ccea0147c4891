// The framework's own keys: Pause, F2 device settings, F3 reference device,
// F8 wireframe, Alt+Enter full screen. Auto-repeats do not count.
#include "platform/dxut/dxut_state.h"
#include "platform/dxut/settings_dialog.h"

bool DXUTHandleHotkey(UINT message, WPARAM key, LPARAM lParam) {
  DXUTState& s = DXUT();
  const bool repeat = (lParam & (1 << 30)) != 0;
  if (!s.handleHotkeys || repeat) return false;
  if (message == WM_SYSKEYDOWN) {
    if (key != VK_RETURN) return false;
    DXUTToggleFullScreen();
    return true;
  }
  switch (key) {
    case VK_PAUSE:
      s.pausedByKey = !s.pausedByKey;
      DXUTPause(s.pausedByKey, s.pausedByKey);
      return true;
    case VK_F2:
      ShowSettingsDialog(!SettingsDialogShown());
      return true;
    case VK_F3:
      DXUTToggleREF();
      return true;
    case VK_F8:
      s.wireframe = !s.wireframe;
      if (s.device)
        s.device->SetRenderState(D3DRS_FILLMODE, s.wireframe ? D3DFILL_WIREFRAME : D3DFILL_SOLID);
      return true;
  }
  return false;
}
