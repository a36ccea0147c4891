#include <initializer_list>
#include <iterator>

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

CDXUTControl* Button(ButtonId id) { return MenuDialog.GetControl(id, DXUT_CONTROL_BUTTON); }

void SetEnabled(std::initializer_list<ButtonId> ids, bool enabled) {
  for (ButtonId id : ids) Button(id)->SetEnabled(enabled);
}

void SetVisible(std::initializer_list<ButtonId> ids, bool visible) {
  for (ButtonId id : ids) Button(id)->SetVisible(visible);
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
    saved.enabled[i] = Button(SavedOrder[i])->GetEnabled();
    saved.visible[i] = Button(SavedOrder[i])->GetVisible();
  }
}

void RestoreButtonStates(ButtonStateSet set) {
  const SavedButtons& saved = SavedSets[set];
  if (!saved.present) return;
  for (int i = 0; i < SavedCount; ++i) {
    Button(SavedOrder[i])->SetEnabled(saved.enabled[i]);
    Button(SavedOrder[i])->SetVisible(saved.visible[i]);
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
