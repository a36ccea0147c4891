// The player's profile: best times, high score, saved level and music setting
// in one scrambled text file at ProfilePath.
#pragma once
#include "platform/types.h"

// Longest profile line, line end not counted; a longer one is skipped.
constexpr i32 ProfileLineMaxLength = 999;

// Writes the profile whole or not at all: the new file is written beside the
// old one and renamed over it only once it is complete on disk. A missing
// folder or any failure leaves the old profile as it was. Reports nothing.
void SaveProfile();

// Reads the profile into the process-wide values; what the file does not give
// keeps its value, and a missing file changes nothing. Over-long lines are
// skipped with a word on standard error.
void LoadProfile();
