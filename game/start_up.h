// The program's start-up: the game's half before the window exists, and the
// window-message callback that keeps the main window.
#pragma once
#include "platform/win32/win32.h"

constexpr i32 DeviceWidth = 1024;
constexpr i32 DeviceHeight = 768;

// The button dialog, the profile, the sound, the random seed and the mute
// button's caption, in that order.
void InitGame();
// Names on standard error what of the game's data cannot be found from the
// current folder; true when something is missing.
bool ReportMissingGameData();
// Offers every message to the button dialog; keeps the first window seen.
LRESULT OnWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                        bool* noFurtherProcessing);
