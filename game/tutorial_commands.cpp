// Starting the tutorial and moving it on; its end restarts the game.
#include "files/map_reader.h"
#include "game/button_switch.h"
#include "game/flow_commands.h"
#include "game/tutorial.h"
#include "platform/dxut/dxut.h"
#include "world/scene.h"
#include "world/tilt.h"

void RestartTutorial() {
  CurrentTutorial.Step = 0;
  CurrentTutorial.StepDone = 0;
  LoadLevelMap(DXUTGetD3DDevice(), "map0.mn");
  if (CurrentScene) CurrentScene->tutorial = 1;
}

void StartTutorial() {
  RestartTutorial();
  SaveButtonStates(TutorialButtonStates);
  ShowButton(ButtonNext, true);
  ShowButton(ButtonEndTutorial, true);
  EnableButton(ButtonStartGame, false);
  EnableButton(ButtonStartTutorial, false);
}

void AdvanceTutorial() {
  if (!CurrentScene || !CurrentScene->tutorial) return;
  CurrentTutorial.NextStep(CurrentScene, TiltLimit, TiltStep);
  if (!CurrentScene->tutorial) {
    RestoreButtonStates(TutorialButtonStates);
    RestartGame();
  }
}
