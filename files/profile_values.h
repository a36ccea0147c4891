// Process-wide values that the profile reads and writes. The game flow owns
// their meaning and reads and writes them as the player plays.
#pragma once
#include "files/score_list.h"
#include "platform/types.h"

constexpr i32 SavedLevelCapacity = 64;  // map name and terminator
constexpr i32 ProfilePathCapacity = 260;

extern i32 HighScore;
extern char SavedLevel[SavedLevelCapacity];   // map that Save Game remembered
extern char LevelToLoad[SavedLevelCapacity];  // map that Load Game loads; empty: none
extern u8 MusicMuted;
extern char ProfilePath[ProfilePathCapacity];
// The one list of best times, made at start-up. The type is named
// `struct MapScoreList` wherever this pointer is in scope.
extern struct MapScoreList* MapScoreList;
