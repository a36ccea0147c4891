// Feeds arbitrary bytes to LoadProfile as the profile file.
#include <cstring>

#include "files/profile.h"
#include "files/profile_values.h"
#include "tests/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  WriteFuzzInput(data, size);
  std::strcpy(ProfilePath, FuzzFile());
  MapScoreList = new struct MapScoreList;
  HighScore = 0;
  SavedLevel[0] = LevelToLoad[0] = '\0';
  MusicMuted = 0;
  LoadProfile();
  delete MapScoreList;
  MapScoreList = nullptr;
  return 0;
}
