// The column of buttons at the top right: their IDs, how they are made and
// placed, and the operations that switch them between the game's screens.
// Buttons are reached only through MenuDialog by control ID.
#pragma once
#include "platform/dxut/dxut_gui.h"
#include "platform/types.h"

enum ButtonId {
  ButtonToggleFullScreen = 1,
  ButtonStartGame = 6,
  ButtonRestartGame = 7,
  ButtonRestartLevel = 8,
  ButtonExitGame = 9,
  ButtonYes = 10,
  ButtonNo = 11,
  ButtonSaveGame = 12,
  ButtonLoadGame = 13,
  ButtonStartTutorial = 14,
  ButtonNext = 15,
  ButtonEndTutorial = 16,
  ButtonMuteMusic = 19,
};

extern CDXUTDialog MenuDialog;
extern u8 ExitPromptShown;  // the exit prompt is up; the game is paused

// The exit prompt and the tutorial each keep their own saved set of button
// states, so one opened inside the other gives back what it found.
enum ButtonStateSet { PromptButtonStates = 0, TutorialButtonStates = 1 };

// The dialog steps of start-up: the event callback (OnDialogEvent), the 13
// buttons and their first states. The mute label is set separately, after
// the profile is read.
void AddMenuButtons();
// "UnMute Sound" while MusicMuted, else "Mute Sound".
void LabelMuteButton();
// Enabled: Restart Level, Save Game, Load Game, Mute; visible: Yes, No.
void ShowGameButtons(bool show);
void SaveButtonStates(ButtonStateSet set = PromptButtonStates);
// Changes nothing while the set has never been saved (or was freed).
void RestoreButtonStates(ButtonStateSet set = PromptButtonStates);
// Frees both saved sets (device destroyed); the next save makes them again.
void FreeSavedButtonStates();
void OpenExitPrompt();
void CloseExitPrompt();
void HideMenuButtons();
// The placement rule: the column's right edge at the back buffer's.
void PlaceMenuDialog(u32 backBufferWidth);
