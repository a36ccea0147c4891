// The game's MenuDialog is process-wide: its buttons are made once per test
// process. States read as one letter per button in the order of
// kGameButtons: E enabled, d disabled, h hidden, x disabled and hidden.
#pragma once
#include <string>

#include "game/menu_buttons.h"
#include "tests/dialog/game_buttons.h"

inline CDXUTControl* MenuButton(int id) { return MenuDialog.GetControl(id, DXUT_CONTROL_BUTTON); }

inline std::string ButtonStates() {
  std::string states;
  for (const GameButton& b : kGameButtons)
    states += "xhdE"[MenuButton(b.id)->GetVisible() * 2 + MenuButton(b.id)->GetEnabled()];
  return states;
}

inline void SetButtonStates(const std::string& states) {
  for (size_t i = 0; i < states.size(); ++i) {
    MenuButton(kGameButtons[i].id)->SetEnabled(states[i] == 'E' || states[i] == 'h');
    MenuButton(kGameButtons[i].id)->SetVisible(states[i] == 'E' || states[i] == 'd');
  }
}

// The screens' button states.
//                                 1 6 14 15 16 7 8 9 12 13 19 10 11
inline const std::string TitleButtons = "hEEhhddEddEhh";
inline const std::string PlayingButtons = "hddhhEEEEdEhh";   // after Start Game
inline const std::string SavedButtons = "hddhhEEEEEEhh";     // after Start Game with a saved level
inline const std::string TutorialButtons = "hddEEddEddEhh";  // Next and End Tutorial shown
inline const std::string PromptButtons = "hddxxddddddEE";    // only Yes and No take clicks

// Start-up's dialog steps on the first call; the states they left.
inline const std::string& MenuButtonsAtStartUp() {
  static const std::string states = (AddMenuButtons(), ButtonStates());
  return states;
}
