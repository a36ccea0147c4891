#include "game/status_text_lines.h"

#include <cstdio>

#include "game/game_values.h"

void FormatClearedText(StatusLine out, bool retried, i32 secondsLeft, u32 shownBalls) {
  if (retried) {
    std::snprintf(out, StatusTextCapacity, "Level Cleared!\nNo Bonus For Restarting Level :)");
    return;
  }
  const i32 balls = static_cast<i32>(shownBalls);
  std::snprintf(out, StatusTextCapacity,
                "Level Cleared!\nBonus Scores:\nTime Left:\t%d x %d\t= %d\n"
                "Tumbloxes Finished:\t%d x %d\t= %d\n",
                secondsLeft, TimeBonusPerSecond, secondsLeft * TimeBonusPerSecond, balls, BallBonus,
                balls * BallBonus);
}

void FormatScoreText(StatusLine out, i32 score, i32 highScore) {
  std::snprintf(out, StatusTextCapacity, "Score: %d\nHigh Score: %d\n", score, highScore);
}

void FormatTimeText(StatusLine out, i32 secondsLeft, i32 bestTime) {
  std::snprintf(out, StatusTextCapacity, "Time Left: %d\nBest Time: %d\n", secondsLeft, bestTime);
}

void FormatLevelText(StatusLine out, const char* mapName) {
  constexpr char Heading[] = "Current Level:\n";
  constexpr int LabelCapacity = StatusTextCapacity - (sizeof Heading - 1);
  char label[LabelCapacity];
  int n = 0;
  const char* c = mapName;
  for (; *c && (*c < '0' || *c > '9') && n < LabelCapacity - 1; ++c) label[n++] = ' ';
  for (; *c && *c != '.' && n < LabelCapacity - 1; ++c) label[n++] = *c;
  label[n] = '\0';
  std::snprintf(out, StatusTextCapacity, "%s%s", Heading, label);
}

void FormatMissingDataText(WCHAR* out, int capacity) {
  // Built piece by piece, each cut to the room that is left.
  int n = 0;
  auto append = [&](const WCHAR* text) {
    for (; *text && n < capacity - 1; ++text) out[n++] = *text;
    out[n] = u'\0';
  };
  append(u"Game data missing: no maps in ");
  WCHAR folder[MAX_PATH];
  const DWORD length = GetCurrentDirectoryW(MAX_PATH, folder);
  append(length > 0 && length < MAX_PATH ? folder : u".");
  append(u"/res/maps");
}
