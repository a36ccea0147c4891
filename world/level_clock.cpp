#include "world/level_clock.h"

#include <new>

#include "world/object_model.h"
#include "world/world_time.h"

LevelClock* CurrentLevelClock = nullptr;
u8 TimeUp = 0;

void LevelClock::DestroyObjects() { DestroyObjectList(objects); }

// When no clock can be made the level runs without a countdown; TimeUp is
// cleared all the same, so a new level never starts out of time.
void StartLevelClock() {
  if (CurrentLevelClock) {
    CurrentLevelClock->DestroyObjects();
    delete CurrentLevelClock;
  }
  CurrentLevelClock = new (std::nothrow) LevelClock{LevelTimeLimit, FrameworkTimeMs(), nullptr};
  TimeUp = 0;
}

void CountDownLevelClock(f32 now) {
  LevelClock* clock = CurrentLevelClock;
  if (!clock || !(CountdownStep + clock->lastSecondTime < now)) return;
  clock->secondsLeft -= 1;
  clock->lastSecondTime = now;
  if (clock->secondsLeft <= 0) TimeUp = 1;
}
