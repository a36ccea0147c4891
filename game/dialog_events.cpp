// A button of the MenuDialog was clicked: its command, then the click.
#include "game/flow_commands.h"
#include "game/menu_buttons.h"
#include "platform/dxut/dxut.h"
#include "sound/sound_table.h"

namespace {

void RunButton(int controlId) {
  switch (controlId) {
    case ButtonToggleFullScreen: DXUTToggleFullScreen(); break;
    case ButtonStartGame: StartGame(); break;
    case ButtonRestartGame: RestartGame(); break;
    case ButtonRestartLevel: RestartLevel(); break;
    case ButtonExitGame: OpenExitPrompt(); break;
    case ButtonYes: SaveAndQuit(); break;
    case ButtonNo: CloseExitPrompt(); break;
    case ButtonSaveGame: RememberSavedLevel(); break;
    case ButtonLoadGame: LoadSavedLevel(); break;
    case ButtonStartTutorial: StartTutorial(); break;
    case ButtonNext: AdvanceTutorial(); break;
    case ButtonEndTutorial:
      RestoreButtonStates(TutorialButtonStates);
      RestartGame();
      break;
    case ButtonMuteMusic: ToggleMusicMute(); break;
    default: break;
  }
}

}  // namespace

// The click sounds after every event, a button without an action included.
void OnDialogEvent(UINT, int controlId, CDXUTControl*) {
  RunButton(controlId);
  const i32 slot = FindSoundIndex("iconClick");
  if (slot >= 0 && SoundTable[slot]) SoundTable[slot]->Play(false);
}
