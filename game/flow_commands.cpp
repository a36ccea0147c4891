// The commands that start, restart and reload: the game and its levels.
#include "game/flow_commands.h"

#include "files/map_reader.h"
#include "files/profile_values.h"
#include "game/button_switch.h"
#include "game/game_values.h"
#include "game/music.h"
#include "platform/dxut/dxut.h"
#include "world/scene.h"

namespace {

// Whatever screen it comes from (the tutorial, the finished game), the
// title leaves no tutorial button and the music's button on.
void ShowTitleButtons() {
  EnableButton(ButtonStartGame, true);
  EnableButton(ButtonStartTutorial, true);
  EnableButton(ButtonRestartGame, false);
  EnableButton(ButtonRestartLevel, false);
  EnableButton(ButtonLoadGame, false);
  EnableButton(ButtonSaveGame, false);
  ShowButton(ButtonNext, false);
  ShowButton(ButtonEndTutorial, false);
  EnableButton(ButtonMuteMusic, true);
}

// Also after the finished screen, which switched the level's buttons off.
void ShowPlayButtons() {
  EnableButton(ButtonStartGame, false);
  EnableButton(ButtonStartTutorial, false);
  EnableButton(ButtonRestartGame, true);
  EnableButton(ButtonRestartLevel, true);
  EnableButton(ButtonSaveGame, true);
  if (LevelToLoad[0]) EnableButton(ButtonLoadGame, true);
  EnableButton(ButtonMuteMusic, true);
}

}  // namespace

void LoadFirstLevel(IDirect3DDevice9* device) {
  LoadLevelMap(device, "map1.mn");
  SwitchMusic("mainMusic");
  Score = 0;
}

void RestartGame() {
  GameStarted = 0;
  ShowTitleButtons();
  // Shown on the Scene that stays when the first map cannot be opened.
  if (CurrentScene) CurrentScene->SetShownByType("title", 1);
  LoadFirstLevel(DXUTGetD3DDevice());
}

// Play begins on the map already loaded, with the score as it stands.
void StartGame() {
  GameStarted = 1;
  ShowPlayButtons();
  LevelCounter = 0;
  if (CurrentScene) CurrentScene->SetShownByType("title", 0);
}

// The tutorial starts again from its first step rather than turning into a
// plain level under its own buttons.
void RestartLevel() {
  if (!CurrentScene) return;
  if (CurrentScene->tutorial) {
    RestartTutorial();
    return;
  }
  const bool fromFinished = CurrentScene->finished;
  // The load copies the name before it frees the Scene that holds it.
  LoadLevelMap(DXUTGetD3DDevice(), CurrentScene->currentMapName);
  CurrentScene->retried = 1;
  if (fromFinished && !CurrentScene->finished) ShowPlayButtons();
}
