#include "game/frame_driver.h"

#include "files/map_reader.h"
#include "game/game_values.h"
#include "game/level_end.h"
#include "game/menu_buttons.h"
#include "game/music.h"
#include "game/tutorial.h"
#include "world/game_step.h"
#include "world/level_clock.h"
#include "world/scene.h"
#include "world/tilt.h"
#include "world/world_time.h"

namespace {

// At most one step a frame, stamped with the frame's time: time lost to
// slow frames is never caught up.
void StepGame(Scene& scene, f32 now) {
  if (!(TickInterval + scene.lastTickTime < now)) return;
  if (scene.tutorial)
    CurrentTutorial.AutoTilt(&scene, TiltLimit, TiltStep);
  else
    ApplyTiltKeys();
  StepBalls();
  StepLevelObjects();
  scene.lastTickTime = now;
  CountDownLevelClock(now);
}

// The level state is derived afresh from the flags each frame; the first
// case that holds runs.
void RunLevelState(IDirect3DDevice9* device, Scene& scene, f32 now) {
  if (scene.finished) {
    if (GameObject* board = scene.FindByType("map")) board->rotation = {0.0f, 0.0f, 0.0f};
  } else if (!GameStarted && !scene.tutorial) {
    if (GameObject* title = scene.FindByType("title")) title->shown = 1;
  } else if (scene.AllBallsHome()) {
    ClearLevel(device, scene, now);
  } else if (!scene.tutorial && (scene.NoShownBalls() || TimeUp)) {
    FailLevel(device, scene, now);
  } else {
    StepGame(scene, now);
  }
}

}  // namespace

void AdvanceGame(IDirect3DDevice9* device) {
  const f32 now = FrameworkTimeMs();
  if (!DataInconsistent && !ExitPromptShown && CurrentScene) RunLevelState(device, *CurrentScene, now);
  KeepMusicPlaying();
}
