#include "files/map_models.h"

#include <cstdio>

#include "files/map_records.h"
#include "files/missing_data.h"
#include "render/model_loading.h"
#include "render/model_size.h"
#include "world/scene.h"

void MapModels::Load(const MapLoad& load, const std::string& file) {
  GameObject* object = load.scene->lastAdded;
  // A model met before in this map is known not to fit without loading it.
  const auto known = bytesOfFile_.find(file);
  if (known != bytesOfFile_.end() && bytes_ + known->second > MapModelByteLimit) {
    ++leftOut_;
    return;
  }
  LoadObjectMesh(file.c_str(), load.device, object, load.allocator);
  if (!object->meshLoaded) {
    ReportMissingData("model", ("res/images/" + file).c_str());
    return;
  }
  const std::size_t bytes = ModelBytes(object->frameRoot);
  bytesOfFile_[file] = bytes;
  if (bytes_ + bytes > MapModelByteLimit) {
    FreeObjectModel(object);
    object->meshLoaded = 0;
    ++leftOut_;
    return;
  }
  bytes_ += bytes;
}

void MapModels::Report(const char* path) const {
  if (leftOut_ > 0)
    std::fprintf(stderr, "%s: %d models left out; a map's models hold at most %zu MB\n", path, leftOut_,
                 MapModelByteLimit >> 20);
}
