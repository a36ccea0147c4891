// Loading the game's largest level, with every model it names, in ms: the
// map read into a new Scene and each object's .x model and textures loaded
// onto a recording device (what a level change costs but the GPU upload).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "files/map_reader.h"
#include "platform/d3d9/recording_device.h"
#include "world/level_clock.h"
#include "world/scene.h"

namespace fs = std::filesystem;

namespace {

int CountObjects() {
  int n = 0;
  for (GameObject* o = CurrentScene ? CurrentScene->firstObject : nullptr; o; o = o->next) ++n;
  return n;
}

// The shipped map with the most objects.
std::string LargestMap(IDirect3DDevice9* device) {
  std::string largest;
  int most = -1;
  for (const auto& entry : fs::directory_iterator("res/maps")) {
    const std::string name = entry.path().filename().string();
    LoadLevelMap(device, name.c_str());
    const int count = CountObjects();
    if (count > most) {
      most = count;
      largest = name;
    }
  }
  std::printf("largest map: %s, %d objects\n", largest.c_str(), most);
  return largest;
}

void LoadLargestLevel(benchmark::State& state) {
  const fs::path previous = fs::current_path();
  fs::current_path(TUMBLOX_SOURCE_DIR);
  auto* device = new RecordingDevice;
  const std::string map = LargestMap(device);
  for (auto _ : state) {
    LoadLevelMap(device, map.c_str());
    benchmark::DoNotOptimize(CurrentScene);
  }
  delete CurrentScene;
  CurrentScene = nullptr;
  delete CurrentLevelClock;
  CurrentLevelClock = nullptr;
  device->Release();
  fs::current_path(previous);
}
BENCHMARK(LoadLargestLevel)->Unit(benchmark::kMillisecond);

}  // namespace
