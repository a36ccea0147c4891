// Loading a skinned model of 5,000 triangles from its .x file, and one frame's
// matrices for it, in µs; loading models of one bone per triangle, in ms.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "bench/render/skinned_model_file.h"
#include "platform/d3d9/recording_device.h"
#include "render/model_loading.h"

namespace fs = std::filesystem;

namespace {

constexpr int Segments = 50, Rings = 50, Bones = 20;  // 5,000 triangles

// A game folder in the temporary folder with the model in res/images.
class ModelFolder {
 public:
  explicit ModelFolder(const std::string& model = SkinnedTubeModel(Segments, Rings, Bones)) {
    std::string pattern = (fs::temp_directory_path() / "tumblox-bench-XXXXXX").string();
    root_ = mkdtemp(pattern.data());
    fs::create_directories(root_ / "res/images");
    std::ofstream(root_ / "res/images/tube.x") << model;
    previous_ = fs::current_path();
    fs::current_path(root_);
  }
  ~ModelFolder() {
    fs::current_path(previous_);
    fs::remove_all(root_);
  }

 private:
  fs::path root_, previous_;
};

// Loads the model again and again, freeing it each time.
void LoadRepeatedly(benchmark::State& state, const std::string& model, bool countCombinations) {
  ModelFolder folder(model);
  RecordingDevice* device = new RecordingDevice();
  MeshHierarchy allocator;
  GameObject object("ball", 0);
  for (auto _ : state) {
    if (FAILED(LoadObjectMesh("tube.x", device, &object, &allocator)) || !object.meshLoaded) {
      state.SkipWithError("the model did not load");
      break;
    }
    if (countCombinations) {
      state.counters["combinations"] =
          static_cast<ModelPiece*>(object.frameRoot->pMeshContainer)->GroupCount;
    }
    FreeObjectModel(&object);
    object.meshLoaded = 0;
    device->calls.clear();
  }
  device->Release();
}

void LoadSkinnedModel(benchmark::State& state) {
  LoadRepeatedly(state, SkinnedTubeModel(Segments, Rings, Bones), false);
}
BENCHMARK(LoadSkinnedModel)->Unit(benchmark::kMicrosecond);

// Planning the bone combinations dominates: every triangle needs one.
void LoadBonePerFaceModel(benchmark::State& state) {
  LoadRepeatedly(state, BonePerFaceModel(int(state.range(0))), true);
}
BENCHMARK(LoadBonePerFaceModel)->Arg(40000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

void ComputeSkinnedModelFrames(benchmark::State& state) {
  ModelFolder folder;
  RecordingDevice* device = new RecordingDevice();
  MeshHierarchy allocator;
  GameObject object("ball", 0);
  if (FAILED(LoadObjectMesh("tube.x", device, &object, &allocator))) {
    state.SkipWithError("the model did not load");
  } else {
    for (auto _ : state) {
      ComputeFrameMatrices(object.frameRoot, nullptr);
      benchmark::DoNotOptimize(object.frameRoot->CombinedMatrix);
    }
    auto* piece = static_cast<ModelPiece*>(object.frameRoot->pMeshContainer);
    state.counters["triangles"] = piece->MeshData.pMesh->GetNumFaces();
    state.counters["combinations"] = piece->GroupCount;
    state.counters["frames"] = Bones + 1;
  }
  FreeObjectModel(&object);
  device->Release();
}
BENCHMARK(ComputeSkinnedModelFrames)->Unit(benchmark::kMicrosecond);

}  // namespace
