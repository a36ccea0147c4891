// The game's column of buttons as it stands after start-up, for the tests.
#pragma once
#include "platform/dxut/dxut_gui.h"

struct GameButton {
  int id;
  const char16_t* label;
  int y;
  bool enabled, visible;
};

inline constexpr GameButton kGameButtons[] = {
    {1, u"Toggle full screen", 10, true, false},
    {6, u"Start Game!", 34, true, true},
    {14, u"Start Tutorial", 58, true, true},
    {15, u"Next", 382, true, false},
    {16, u"End Tutorial", 406, true, false},
    {7, u"Restart Game", 82, false, true},
    {8, u"Restart Level", 106, false, true},
    {9, u"Exit Game", 130, true, true},
    {12, u"Save Game", 154, false, true},
    {13, u"Load Game", 178, false, true},
    {19, u"Mute Sound", 202, true, true},
    {10, u"Yes", 346, true, false},
    {11, u"No", 370, true, false},
};

// Adds the 13 buttons at x 35, 125 × 22, and places the dialog at the right
// edge of a back buffer `width` pixels wide.
inline void AddGameButtons(CDXUTDialog& dialog, int width = 1024) {
  for (const GameButton& b : kGameButtons) {
    dialog.AddButton(b.id, b.label, 35, b.y, 125, 22);
    CDXUTControl* control = dialog.GetControl(b.id, DXUT_CONTROL_BUTTON);
    control->SetEnabled(b.enabled);
    control->SetVisible(b.visible);
  }
  dialog.SetLocation(width - 170, 0);
  dialog.SetSize(170, 170);
}
