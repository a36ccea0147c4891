#include <initializer_list>
#include <iterator>

#include "game/button_switch.h"
#include "game/menu_buttons.h"

u8 ExitPromptShown = 0;

namespace {

// Every button but Toggle full screen, which stays hidden for good.
constexpr ButtonId SavedOrder[] = {
    ButtonStartGame,     ButtonRestartGame, ButtonExitGame,    ButtonRestartLevel,
    ButtonYes,           ButtonMuteMusic,   ButtonEndTutorial, ButtonNext,
    ButtonStartTutorial, ButtonLoadGame,    ButtonSaveGame,    ButtonNo,
};
constexpr int SavedCount = int(std::size(SavedOrder));

struct SavedButtons {
  bool present;
  u8 enabled[SavedCount];
  u8 visible[SavedCount];
};

SavedButtons SavedSets[2];

void SetEnabled(std::initializer_list<ButtonId> ids, bool enabled) {
  for (ButtonId id : ids) EnableButton(id, enabled);
}

void SetVisible(std::initializer_list<ButtonId> ids, bool visible) {
  for (ButtonId id : ids) ShowButton(id, visible);
}

}  // namespace

void ShowGameButtons(bool show) {
  SetEnabled({ButtonRestartLevel, ButtonSaveGame, ButtonLoadGame}, show);
  SetVisible({ButtonYes, ButtonNo}, show);
  SetEnabled({ButtonMuteMusic}, show);
}

void SaveButtonStates(ButtonStateSet set) {
  SavedButtons& saved = SavedSets[set];
  saved.present = true;
  for (int i = 0; i < SavedCount; ++i) {
    // A button the framework could not make is kept as disabled and hidden.
    const CDXUTControl* button = MenuDialog.GetControl(SavedOrder[i], DXUT_CONTROL_BUTTON);
    saved.enabled[i] = button && button->GetEnabled();
    saved.visible[i] = button && button->GetVisible();
  }
}

void RestoreButtonStates(ButtonStateSet set) {
  const SavedButtons& saved = SavedSets[set];
  if (!saved.present) return;
  for (int i = 0; i < SavedCount; ++i) {
    EnableButton(SavedOrder[i], saved.enabled[i]);
    ShowButton(SavedOrder[i], saved.visible[i]);
  }
}

void FreeSavedButtonStates() {
  for (SavedButtons& saved : SavedSets) saved.present = false;
}

void OpenExitPrompt() {
  SetVisible({ButtonYes, ButtonNo}, true);
  SaveButtonStates(PromptButtonStates);
  SetEnabled(
      {ButtonStartGame, ButtonStartTutorial, ButtonRestartLevel, ButtonRestartGame, ButtonExitGame,
       ButtonSaveGame, ButtonLoadGame, ButtonNext, ButtonEndTutorial, ButtonMuteMusic},
      false);
  SetVisible({ButtonNext, ButtonEndTutorial}, false);
  ExitPromptShown = 1;
}

void CloseExitPrompt() {
  RestoreButtonStates(PromptButtonStates);
  SetVisible({ButtonNo, ButtonYes}, false);
  ExitPromptShown = 0;
}

void HideMenuButtons() {
  SetVisible({ButtonStartGame, ButtonRestartGame, ButtonRestartLevel, ButtonSaveGame,
              ButtonLoadGame, ButtonStartTutorial, ButtonMuteMusic},
             false);
}
