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

using Records = std::vector<std::pair<std::string, i32>>;

constexpr int MaxRecords = 300;

void Fail(const char* what) {
  std::fprintf(stderr, "profile round trip: %s differs\n", what);
  std::abort();
}

void ResetValues() {
  delete MapScoreList;
  MapScoreList = new struct MapScoreList;
  HighScore = 0;
  SavedLevel[0] = LevelToLoad[0] = '\0';
  MusicMuted = 0;
}

Records ListedRecords() {
  Records records;
  for (const MapScore* r = MapScoreList->first; r != nullptr; r = r->next) records.emplace_back(r->name, r->score);
  return records;
}

}  // namespace

// Every run saves and syncs the profile: a folder in memory, where there is
// one, keeps that quick.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  const bool inMemory = std::filesystem::is_directory("/dev/shm");
  char folder[64];
  std::snprintf(folder, sizeof folder, "%s/tumblox-fuzz-roundtrip-XXXXXX", inMemory ? "/dev/shm" : "/tmp");
  if (mkdtemp(folder) == nullptr) std::abort();
  static const std::string root = folder;
  std::snprintf(ProfilePath, sizeof ProfilePath, "%s/profile.mnd", folder);
  std::atexit([] {
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  ResetValues();
  MusicMuted = input.ConsumeBool() ? 1 : 0;
  HighScore = input.ConsumeIntegral<i32>();
  const std::string savedLevel = input.ConsumeRandomLengthString(sizeof SavedLevel - 1);
  std::strncpy(SavedLevel, savedLevel.c_str(), sizeof SavedLevel - 1);
  for (int i = 0; i < MaxRecords && input.remaining_bytes() > 0; ++i) {
    const std::string name = input.ConsumeRandomLengthString(MapNameMaxLength + 2);
    MapScoreList->Record(name.c_str(), input.ConsumeIntegral<i32>());
  }

  const Records records = ListedRecords();
  const i32 highScore = HighScore;
  const u8 muted = MusicMuted;
  // A saved level the profile cannot carry is not written, so none comes back.
  const std::string level = IsStorableText(SavedLevel) ? SavedLevel : "";
  std::remove(ProfilePath);
  SaveProfile();

  ResetValues();
  LoadProfile();
  if (ListedRecords() != records) Fail("MapScores");
  if (HighScore != highScore) Fail("HighScore");
  if (level != SavedLevel || level != LevelToLoad) Fail("SavedLevel");
  if (MusicMuted != muted) Fail("MuteMusic");
  delete MapScoreList;
  MapScoreList = nullptr;
  return 0;
}
