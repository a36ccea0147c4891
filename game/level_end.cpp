#include "game/level_end.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "files/map_reader.h"
#include "files/profile_values.h"
#include "game/game_values.h"
#include "game/menu_buttons.h"
#include "game/music.h"
#include "sound/sound_table.h"
#include "world/level_clock.h"

namespace {

// Whole ms of the frame clock; a clock past what an i32 holds (some 24
// days) keeps the deadline at the end of the range instead of wrapping.
i32 DeadlineAfter(f32 now, i32 delay) {
  const double deadline = std::trunc(double(now)) + delay;
  return i32(std::clamp(deadline, double(std::numeric_limits<i32>::min()),
                        double(std::numeric_limits<i32>::max())));
}

bool PastDeadline(const Scene& scene, f32 now) { return double(scene.stateDeadline) < double(now); }

// The track changes after every third level of a game, round four tracks.
const char* MusicAfterLevels(i32 levels) {
  switch (levels % 12) {
    case 0: return "mainMusic";
    case 3: return "mainMusic2";
    case 6: return "mainMusic3";
    case 9: return "mainMusic4";
    default: return nullptr;
  }
}

// Without a level clock (none could be made) there is no time to score or
// record; the balls still count.
void ScoreLevel(Scene& scene, f32 now) {
  const LevelClock* clock = CurrentLevelClock;
  scene.cleared = 1;
  PlaySoundByName("allCleared", true, false);
  if (clock && MapScoreList) MapScoreList->Record(scene.currentMapName, clock->secondsLeft);
  scene.stateDeadline = DeadlineAfter(now, ClearedDelay);
  if (!scene.retried) {
    if (clock) Score += clock->secondsLeft * TimeBonusPerSecond;
    Score += i32(scene.CountShownBalls()) * BallBonus;
  }
  if (Score > HighScore) HighScore = Score;
}

void GoToNextMap(IDirect3DDevice9* device, Scene& scene) {
  LevelCounter += 1;
  if (const char* track = MusicAfterLevels(LevelCounter)) SwitchMusic(track);
  if (std::strcmp(scene.nextMapName, "FINISH.mn") == 0) {
    scene.finished = 1;
    scene.SetShownByType("title", 1);
    ShowGameButtons(false);
    return;
  }
  LoadLevelMap(device, scene.nextMapName);
  // A next map that cannot be opened leaves the cleared level current; it
  // waits there for a command instead of counting levels and turning the
  // music over in every frame.
  if (CurrentScene->cleared) {
    std::fprintf(stderr, "The next map \"%s\" cannot be opened\n", CurrentScene->nextMapName);
    CurrentScene->stateDeadline = std::numeric_limits<i32>::max();
  }
}

}  // namespace

void ClearLevel(IDirect3DDevice9* device, Scene& scene, f32 now) {
  if (!scene.cleared)
    ScoreLevel(scene, now);
  else if (PastDeadline(scene, now))
    GoToNextMap(device, scene);
}

void FailLevel(IDirect3DDevice9* device, Scene& scene, f32 now) {
  if (!scene.failed) {
    scene.failed = 1;
    PlaySoundByName("objHit", true, false);
    scene.stateDeadline = DeadlineAfter(now, FailedDelay);
    return;
  }
  if (!PastDeadline(scene, now)) return;
  // The load replaces the Scene when it can; the marks go on whichever is current.
  LoadLevelMap(device, scene.currentMapName);
  CurrentScene->retried = 1;
  if (CurrentLevelClock) CurrentLevelClock->secondsLeft = LevelTimeLimit;
  TimeUp = 0;
}
