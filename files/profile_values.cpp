#include "files/profile_values.h"

i32 HighScore = 0;
char SavedLevel[SavedLevelCapacity] = {};
char LevelToLoad[SavedLevelCapacity] = {};
u8 MusicMuted = 0;
char ProfilePath[ProfilePathCapacity] = {};
struct MapScoreList* MapScoreList = nullptr;
