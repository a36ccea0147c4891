// Game data that could not be loaded: each file is named once on standard
// error, however often it is asked for, and the screen says that something
// is missing.
#pragma once
#include "platform/types.h"

// Set once anything of the game's data is found missing; never cleared.
extern u8 GameDataMissing;

// Names the file, of a kind such as "model" or "sound", on standard error the
// first time it is reported; sets GameDataMissing.
void ReportMissingData(const char* kind, const char* path);
