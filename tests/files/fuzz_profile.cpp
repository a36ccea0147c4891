// Feeds arbitrary bytes to LoadProfile as the profile file.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "files/profile.h"
#include "files/profile_values.h"

namespace {

const std::string& ProfileFile() {
  static const std::string path = [] {
    char pattern[] = "/tmp/tumblox-fuzz-profile-XXXXXX";
    const int descriptor = mkstemp(pattern);
    if (descriptor == -1) std::abort();
    close(descriptor);
    std::atexit([] { std::remove(ProfileFile().c_str()); });
    return std::string(pattern);
  }();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(ProfileFile().c_str(), "wb");
  if (file == nullptr) std::abort();
  std::fwrite(data, 1, size, file);
  std::fclose(file);
  std::strcpy(ProfilePath, ProfileFile().c_str());

  MapScoreList = new struct MapScoreList;
  HighScore = 0;
  SavedLevel[0] = '\0';
  LevelToLoad[0] = '\0';
  MusicMuted = 0;
  LoadProfile();
  delete MapScoreList;
  MapScoreList = nullptr;
  return 0;
}
