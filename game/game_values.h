// The game flow's process-wide values and the numbers of its rules. The
// level state is never stored: each frame derives it from these, the
// Scene's state bytes, DataInconsistent, ExitPromptShown and TimeUp.
#pragma once
#include "platform/types.h"

extern u8 GameStarted;   // 1 while a game runs; 0 is the title screen
extern i32 LevelCounter;  // levels cleared since Start Game
extern i32 Score;         // running score; HighScore is the profile's

// TickInterval (ms between game steps) is the world's: world/game_step.h.
constexpr i32 TimeBonusPerSecond = 1000;
constexpr i32 BallBonus = 1000;
constexpr i32 ClearedDelay = 3000;      // ms before the next map loads
constexpr i32 FailedDelay = 1000;       // ms before a failed map reloads
