// The level's countdown: 100 seconds, one taken off per second of game
// ticks. One at a time, reached through CurrentLevelClock.
#pragma once
#include "platform/types.h"
#include "world/game_object.h"

constexpr i32 LevelTimeLimit = 100;     // seconds
constexpr f32 CountdownStep = 1000.0f;  // ms per second of countdown

struct LevelClock {
  i32 secondsLeft;
  f32 lastSecondTime;   // ms of the last countdown step
  GameObject* objects;  // objects owned by the clock; nothing adds any

  void DestroyObjects();
};

extern LevelClock* CurrentLevelClock;

// The countdown of the current level has run out. The frame driver owns the
// flag; it lives here because every new clock clears it.
extern u8 TimeUp;

// Replaces the current clock by a full one started now, and clears TimeUp.
void StartLevelClock();

// The countdown of one game tick at `now` (ms): one second goes when more
// than CountdownStep has passed since the last; at 0 the time is up.
void CountDownLevelClock(f32 now);
