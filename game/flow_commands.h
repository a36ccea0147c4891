// The flow commands that buttons and keys run, and the two input callbacks.
// Each completes between two frames; none reports an error.
#pragma once
#include "platform/d3d9/d3d9.h"
#include "platform/dxut/dxut_gui.h"
#include "platform/win32/win32.h"

extern HWND MainWindow;  // kept by OnWindowMessage; Yes closes it

void LoadFirstLevel(IDirect3DDevice9* device);
void StartGame();
void StartTutorial();
// The tutorial again from its first step, its buttons as they are.
void RestartTutorial();
void AdvanceTutorial();
void RestartGame();
void RestartLevel();
void LoadSavedLevel();
void RememberSavedLevel();
void ToggleMusicMute();
void SaveAndQuit();

void OnKeyboard(UINT key, bool keyDown, bool altDown);
void OnDialogEvent(UINT event, int controlId, CDXUTControl* control);
