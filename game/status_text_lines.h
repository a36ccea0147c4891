// The status text's formatted lines, each built in a fixed buffer of
// StatusTextCapacity characters and cut to fit it.
#pragma once
#include "platform/types.h"
#include "platform/win32/win32.h"

constexpr int StatusTextCapacity = 256;  // terminator included
using StatusLine = char[StatusTextCapacity];

// The bonus lines of a cleared level, or the no-bonus line when retried.
void FormatClearedText(StatusLine out, bool retried, i32 secondsLeft, u32 shownBalls);
void FormatScoreText(StatusLine out, i32 score, i32 highScore);
void FormatTimeText(StatusLine out, i32 secondsLeft, i32 bestTime);
// "Current Level:" over the map's number: the name's leading non-digits
// become spaces and everything from the first '.' after a digit goes.
void FormatLevelText(StatusLine out, const char* mapName);
// One plain line saying that no level could be read and where the maps were
// looked for (the absolute path of res/maps); wide, as the folder may be.
void FormatMissingDataText(WCHAR* out, int capacity);
