// The device-settings dialog of F2: windowed or full screen, and the
// back buffer's size. Drawn over the frame by the framework; while shown it
// takes the keyboard and the mouse.
#pragma once
#include "platform/d3d9/d3d9.h"

void ShowSettingsDialog(bool show);
bool SettingsDialogShown();
// True when the dialog took the message.
bool SettingsDialogMsgProc(UINT message, WPARAM wParam, LPARAM lParam);
void RenderSettingsDialog(IDirect3DDevice9* device);
