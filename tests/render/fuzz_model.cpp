// Feeds arbitrary bytes, as a model file, to the game's own model loading in a
// game folder of its own: a model that loads is animated, measured and freed;
// either way the game's folder is current again and nothing stays alive.
#include <filesystem>
#include <string>

#include "platform/d3d9/recording_device.h"
#include "render/model_loading.h"
#include "tests/fuzz_input.h"

namespace fs = std::filesystem;

namespace {

// A texture the models may name, found from res/images like the game's own.
const std::uint8_t kTexture[] = {
    0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R', 0, 0, 0, 1,
    0, 0, 0, 1, 8, 0, 0, 0, 0, 0x3A, 0x7E, 0x9B, 0x55, 0, 0, 0, 10, 'I', 'D', 'A', 'T', 0x78,
    0x9C, 0x63, 0x60, 0, 0, 0, 2, 0, 1, 0x48, 0xAF, 0xA4, 0x71, 0, 0, 0, 0, 'I', 'E', 'N', 'D',
    0xAE, 0x42, 0x60, 0x82};

fs::path MakeGameFolder() {
  fs::path game = fs::temp_directory_path() / ("tumblox_fuzz_model_" + std::to_string(::getpid()));
  fs::create_directories(game / "res/images");
  WriteFuzzInput(kTexture, sizeof kTexture, (game / "res/images/checker.png").c_str());
  std::atexit([] {
    std::error_code ignored;
    fs::remove_all(fs::temp_directory_path() / ("tumblox_fuzz_model_" + std::to_string(::getpid())), ignored);
  });
  return game;
}

}  // namespace

// The fuzzer's own folder is current between runs: it reads its corpus from there.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fs::path game = MakeGameFolder();
  WriteFuzzInput(data, size, (game / "res/images/model.x").c_str());
  fs::path fuzzer = fs::current_path();
  fs::current_path(game);
  auto* device = new RecordingDevice;
  MeshHierarchy allocator;
  GameObject object("ball", 0);
  LoadObjectMesh("model.x", device, &object, &allocator);
  if (fs::current_path() != game) std::abort();
  if (object.meshLoaded) {
    if (object.animationController) object.animationController->AdvanceTime(0.37, nullptr);
    ComputeFrameMatrices(object.frameRoot, nullptr);
  }
  FreeObjectModel(&object);
  if (device->Release() != 0) std::abort();
  fs::current_path(fuzzer);
  return 0;
}
