// Builds the values the game keeps from arbitrary bytes (map scores through
// MapScoreList::Record, the high score, a saved level, the music setting),
// saves the profile, loads it back into fresh values and compares: every
// profile the game writes must read back the same.
#include <fuzzer/FuzzedDataProvider.h>
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "files/profile.h"
#include "files/profile_values.h"
#include "files/storable_text.h"

namespace {

struct Values {
  std::vector<std::pair<std::string, i32>> scores;
  i32 highScore;
  std::string savedLevel, levelToLoad;
  u8 muted;
  bool operator==(const Values&) const = default;
};

Values Current() {
  Values v{{}, HighScore, SavedLevel, LevelToLoad, MusicMuted};
  for (const MapScore* r = MapScoreList->first; r != nullptr; r = r->next) v.scores.emplace_back(r->name, r->score);
  return v;
}

void Reset() {
  delete MapScoreList;
  MapScoreList = new struct MapScoreList;
  HighScore = 0;
  SavedLevel[0] = LevelToLoad[0] = '\0';
  MusicMuted = 0;
}

}  // namespace

// Every run saves and syncs the profile: a folder in memory, where there is
// one, keeps that quick.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  static char folder[64];
  std::snprintf(folder, sizeof folder, "%s/tumblox-fuzz-roundtrip-XXXXXX",
                std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp");
  if (mkdtemp(folder) == nullptr) std::abort();
  std::snprintf(ProfilePath, sizeof ProfilePath, "%s/profile.mnd", folder);
  std::atexit([] { std::filesystem::remove_all(folder); });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  Reset();
  MusicMuted = input.ConsumeBool() ? 1 : 0;
  HighScore = input.ConsumeIntegral<i32>();
  std::strncpy(SavedLevel, input.ConsumeRandomLengthString(sizeof SavedLevel - 1).c_str(), sizeof SavedLevel - 1);
  for (int i = 0; i < 300 && input.remaining_bytes() > 0; ++i) {
    const std::string name = input.ConsumeRandomLengthString(MapNameMaxLength + 2);
    MapScoreList->Record(name.c_str(), input.ConsumeIntegral<i32>());
  }
  Values expected = Current();
  // A saved level the profile cannot carry is not written, so none comes back.
  if (!IsStorableText(SavedLevel)) expected.savedLevel.clear();
  expected.levelToLoad = expected.savedLevel;
  std::remove(ProfilePath);
  SaveProfile();
  Reset();
  LoadProfile();
  if (!(Current() == expected)) {
    std::fprintf(stderr, "the profile read back differs from the one saved\n");
    std::abort();
  }
  delete MapScoreList;
  MapScoreList = nullptr;
  return 0;
}
