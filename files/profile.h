// The player's profile: best times, high score, saved level and music setting
// in one scrambled text file at ProfilePath.
#pragma once
#include <cstddef>

#include "platform/types.h"

// Longest profile line, line end not counted; a longer one is skipped.
constexpr i32 ProfileLineMaxLength = 999;

// Largest profile read or written: the best times of a million maps (some 60
// bytes each), where the game has thirty. A larger file is no profile the
// game wrote and is left alone.
constexpr std::size_t ProfileMaxBytes = std::size_t{64} << 20;

// Writes the profile whole or not at all: the new file is written beside the
// old one, with its permission bits, and renamed over it only once it is
// complete on disk. A profile that is a symbolic link is saved through it:
// the link stays, and the file it leads to is replaced (or made). A missing folder or any failure leaves the old profile as
// it was. Where nothing can be made beside it (a read-only folder), a
// writable profile is written over in place. A saved level that could not be
// read back the same (IsStorableText) is not written. A file in the
// profile's place that is no regular file or is larger than ProfileMaxBytes
// is left alone, and a profile that would be larger is not written; both are
// said on standard error.
void SaveProfile();

// Reads the profile into the process-wide values; what the file does not give
// keeps its value, and a missing file changes nothing, as does one that is no
// regular file or larger than ProfileMaxBytes (said on standard error). Over-long lines and
// map scores whose names the profile could not write back are left out, with
// a word on standard error.
void LoadProfile();
