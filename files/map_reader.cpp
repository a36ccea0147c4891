#include "files/map_reader.h"

#include <cstdio>
#include <cstring>

#include "files/map_models.h"
#include "files/map_records.h"
#include "files/score_list.h"
#include "files/scrambling.h"
#include "files/text_lines.h"
#include "render/model_loading.h"
#include "world/level_clock.h"
#include "world/scene.h"

u8 DataInconsistent = 0;

namespace {

// Keeps a map within what a tick can walk in time, and counts what it left
// out so that the reader can say so once.
struct MapBounds {
  i32 movingPieces = 0;
  i32 piecesLeftOut = 0;
  i32 objectsLeftOut = 0;

  bool Admit(const RecordSize& record, const Scene& scene) {
    if (record.movingPiece && movingPieces >= MapMovingPieceLimit) {
      ++piecesLeftOut;
      return false;
    }
    if (scene.objectCount + static_cast<u32>(record.objects) > static_cast<u32>(MapObjectLimit)) {
      ++objectsLeftOut;
      return false;
    }
    if (record.movingPiece) ++movingPieces;
    return true;
  }

  void Report(const char* path) const {
    if (piecesLeftOut > 0)
      std::fprintf(stderr, "%s: %d BALL and SPIKE records left out; a map holds at most %d\n", path,
                   piecesLeftOut, MapMovingPieceLimit);
    if (objectsLeftOut > 0)
      std::fprintf(stderr, "%s: %d records left out; a map holds at most %d objects\n", path,
                   objectsLeftOut, MapObjectLimit);
  }
};

// Builds the level of the open file into scene; the number of records read.
i32 ReadMapRecords(std::FILE* file, const MapLoad& load) {
  MapBounds bounds;
  i32 records = 0;
  char line[MapLineCapacity];
  i32 lineNumber = 0;
  for (LineRead read; (read = ReadTextLine(file, line, MapLineCapacity)) != LineRead::End;) {
    ++lineNumber;
    if (read == LineRead::TooLong) {
      std::fprintf(stderr, "%s line %d: %d characters or more, skipped\n", load.openedPath, lineNumber,
                   MapLineCapacity);
      continue;
    }
    UnscrambleText(line);
    const MapLineValues values = ReadMapLineValues(line);
    const RecordSize* size = SizeOfRecord(values.type.get());
    if (size == nullptr) continue;
    ++records;
    if (bounds.Admit(*size, *load.scene)) AddMapRecord(load, line, values);
  }
  bounds.Report(load.openedPath);
  return records;
}

}  // namespace

void LoadLevelMap(IDirect3DDevice9* device, const char* mapFileName) {
  const size_t nameLength = strnlen(mapFileName, MapNameMaxLength + 1);
  if (nameLength == 0 || nameLength > static_cast<size_t>(MapNameMaxLength)) return;
  char name[MapNameMaxLength + 1];
  std::memcpy(name, mapFileName, nameLength);
  name[nameLength] = '\0';
  char path[sizeof "res/maps/" + MapNameMaxLength];
  std::snprintf(path, sizeof path, "res/maps/%s", name);

  TextFile file;
  if (!OpenTextFile(path, MapFileMaxBytes, "map", &file)) return;

  // The new level is built beside the current one, which stays when the
  // file turns out to hold no level at all.
  Scene* scene = new Scene();
  MeshHierarchy allocator;
  MapModels models;
  const MapLoad load{scene, device, &allocator, &models, name, path};
  AddFixedObjects(load);
  const i32 records = ReadMapRecords(file.lines, load);
  models.Report(path);
  if (records == 0) {
    std::fprintf(stderr, "%s: no records; the level stays as it was\n", path);
    delete scene;
    return;
  }
  delete CurrentScene;
  CurrentScene = scene;
  StartLevelClock();
}
