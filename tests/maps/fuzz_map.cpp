// Feeds arbitrary bytes to the map reader as a map file. The models load
// from an empty folder onto a recording device, so every object is made but
// no model file is read.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "files/map_reader.h"
#include "platform/d3d9/recording_device.h"
#include "tests/fuzz_input.h"

namespace {
IDirect3DDevice9* Device = nullptr;
std::filesystem::path Folder;
}

// The fuzzer works in a folder of its own; corpus folders and files named
// on the command line relative to where it started are made absolute first.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  namespace fs = std::filesystem;
  static std::vector<std::string> absolute;
  absolute.reserve(*argc);
  for (int i = 1; i < *argc; ++i) {
    const char* arg = (*argv)[i];
    if (arg[0] == '-' || !fs::exists(arg)) continue;
    absolute.push_back(fs::absolute(arg).string());
    (*argv)[i] = absolute.back().data();
  }
  Folder = fs::temp_directory_path() / ("fuzz_map_" + std::to_string(::getpid()));
  fs::create_directories(Folder / "res" / "maps");
  fs::create_directories(Folder / "res" / "images");
  fs::current_path(Folder);
  std::atexit([] {
    std::error_code ignored;
    std::filesystem::remove_all(Folder, ignored);
  });
  Device = new RecordingDevice;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WriteFuzzInput(data, size, "res/maps/fuzz.mn");
  LoadLevelMap(Device, "fuzz.mn");
  return 0;
}
