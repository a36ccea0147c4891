#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <limits>
#include <string>

#include "files/profile.h"
#include "files/profile_values.h"
#include "files/scrambling.h"
#include "files/storable_text.h"
#include "files/tag_reader.h"
#include "files/tagged_text.h"
#include "files/text_lines.h"

namespace {

// atoi's reading (white space, sign, digits), but a number beyond i32
// saturates instead of being undefined.
i32 ParseNumber(const char* text) {
  const long long value = std::strtoll(text, nullptr, 10);
  if (value > std::numeric_limits<i32>::max()) return std::numeric_limits<i32>::max();
  if (value < std::numeric_limits<i32>::min()) return std::numeric_limits<i32>::min();
  return static_cast<i32>(value);
}

// A failure in one element skips that element only.
template <typename Step>
void Guarded(Step step) {
  try {
    step();
  } catch (const std::exception&) {
  }
}

// An edited profile may name a map that the profile could not write back
// (too long to be a map file's name, or read as another element); such a
// record is refused and counted, and the records after it are still read.
void LoadMapScores(const char* value, i32& refused) {
  TagReader reader(value);
  do {
    const std::string name = reader.NextTag();
    if (name.empty()) break;
    Guarded([&] {
      if (!IsStorableMapName(name.c_str())) {
        ++refused;
        return;
      }
      const auto score = ExtractElementShort(reader.text, name.c_str());
      MapScoreList->Record(name.c_str(), ParseNumber(score.get()));
    });
  } while (reader.readPosition <= reader.textLength);
}

void LoadLine(const char* line, i32& refused) {
  const auto scores = ExtractElementText(line, "MapScores");
  if (MapScoreList != nullptr && scores[0] != '\0') LoadMapScores(scores.get(), refused);

  Guarded([&] {
    const auto value = ExtractElementText(line, "HighScore");
    if (value[0] != '\0') HighScore = ParseNumber(value.get());
  });
  Guarded([&] {
    const auto value = ExtractElementText(line, "SavedLevel");
    // A name that does not fit is refused: a cut name would be another map.
    // So is one that the next save could not write back.
    const std::size_t length = std::strlen(value.get());
    if (length == 0) return;
    if (length >= sizeof SavedLevel || !IsStorableText(value.get())) {
      std::fprintf(stderr, "%s: a saved level of an unusable map name left out\n", ProfilePath);
      return;
    }
    std::memcpy(LevelToLoad, value.get(), length + 1);
    std::memcpy(SavedLevel, value.get(), length + 1);
  });
  Guarded([&] {
    const auto value = ExtractElementText(line, "MuteMusic");
    if (value[0] != '\0') MusicMuted = std::strcmp(value.get(), "true") == 0 ? 1 : 0;
  });
}

}  // namespace

void LoadProfile() {
  TextFile file;
  if (!OpenTextFile(ProfilePath, ProfileMaxBytes, "profile", &file)) return;
  i32 refused = 0;
  try {
    char line[ProfileLineMaxLength + 1];
    i32 lineNumber = 0;
    for (LineRead read; (read = ReadTextLine(file.lines, line, sizeof line)) != LineRead::End;) {
      ++lineNumber;
      if (read == LineRead::TooLong) {
        std::fprintf(stderr, "%s line %d: %d characters or more, skipped\n", ProfilePath, lineNumber,
                     ProfileLineMaxLength + 1);
        continue;
      }
      UnscrambleText(line);
      LoadLine(line, refused);
    }
  } catch (const std::exception&) {
    // Ends the reading; what was taken so far stays.
  }
  if (refused > 0) std::fprintf(stderr, "%s: %d map scores of unusable map names left out\n", ProfilePath, refused);
}
