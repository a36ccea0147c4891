// Loading a 50 MB profile of distinct map names, as the game's own save
// writes it, into an empty score list: every record is looked up by name
// before it is added.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <sys/stat.h>

#include "files/profile.h"
#include "files/profile_values.h"

namespace {

constexpr long ProfileBytes = 50L * 1024 * 1024;

// Saves distinct names until the profile holds ProfileBytes; its size.
long WriteLargeProfile() {
  delete MapScoreList;
  MapScoreList = new struct MapScoreList;
  // About 53 bytes a record once written.
  for (int i = 0; i < ProfileBytes / 53; ++i)
    MapScoreList->Record(("m" + std::to_string(1000000 + i) + ".mn").c_str(), i % 101);
  SaveProfile();
  struct stat file {};
  stat(ProfilePath, &file);
  return static_cast<long>(file.st_size);
}

void LoadLargeProfile(benchmark::State& state) {
  char folder[] = "/tmp/tumblox-bench-profile-XXXXXX";
  if (mkdtemp(folder) == nullptr) return;
  std::snprintf(ProfilePath, sizeof ProfilePath, "%s/profile.mnd", folder);
  const long size = WriteLargeProfile();
  long records = 0;
  for (auto _ : state) {
    state.PauseTiming();
    delete MapScoreList;
    MapScoreList = new struct MapScoreList;
    state.ResumeTiming();
    LoadProfile();
    records = static_cast<long>(MapScoreList->byName.size());
  }
  state.counters["MB"] = static_cast<double>(size) / (1024 * 1024);
  state.counters["records"] = static_cast<double>(records);
  delete MapScoreList;
  MapScoreList = nullptr;
  std::remove(ProfilePath);
  rmdir(folder);
}
BENCHMARK(LoadLargeProfile)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
