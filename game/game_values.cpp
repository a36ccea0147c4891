#include "game/game_values.h"

u8 GameStarted = 0;
i32 LevelCounter = 0;
i32 Score = 0;
