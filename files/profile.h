// The player's profile: best times, high score, saved level and music setting
// in one scrambled text file at ProfilePath.
#pragma once
#include "platform/types.h"

// Longest profile line, line end not counted; a longer one is skipped.
constexpr i32 ProfileLineMaxLength = 999;

// Writes the profile whole or not at all: the new file is written beside the
// old one, with its permission bits, and renamed over it only once it is
// complete on disk. A missing folder or any failure leaves the old profile as
// it was. Where nothing can be made beside it (a read-only folder), a
// writable profile is written over in place. A saved level that could not be
// read back the same (IsStorableText) is not written. Reports nothing.
void SaveProfile();

// Reads the profile into the process-wide values; what the file does not give
// keeps its value, and a missing file changes nothing. Over-long lines and
// map scores whose names the profile could not write back are left out, with
// a word on standard error.
void LoadProfile();
