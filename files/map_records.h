// One map line: its values, and the objects that its record makes.
#pragma once
#include <memory>

#include "platform/d3d9/d3d9.h"
#include "platform/types.h"

struct Scene;
class MeshHierarchy;
class MapModels;

// The values that every line is asked for; the keys that only some record
// types use are taken by those records.
struct MapLineValues {
  std::unique_ptr<char[]> type, name, posX, posY, posZ, length, width, height, next, file;
};

MapLineValues ReadMapLineValues(const char* line);

// What a record needs beyond its own line: where it is loaded to and from.
struct MapLoad {
  Scene* scene;
  IDirect3DDevice9* device;
  MeshHierarchy* allocator;
  MapModels* models;       // every model of the map is loaded through it
  const char* mapName;     // as given to LoadLevelMap
  const char* openedPath;  // "res/maps/" + mapName
};

// What a record of a TYPE adds: its objects (a ball and its broken twin are
// two; a camera adds none) and whether it is a moving piece.
struct RecordSize {
  i32 objects;
  bool movingPiece;
};

// The size of a record of the TYPE value; null when it is none of the ten
// record types, so that the line is no record at all.
const RecordSize* SizeOfRecord(const char* type);

// Creates what the line's record describes; a line of no known TYPE, or a
// record whose object cannot be added, creates nothing more.
void AddMapRecord(const MapLoad& load, const char* line, const MapLineValues& values);

// The scenery every level has: the sky, and the hidden quit sign and title.
void AddFixedObjects(const MapLoad& load);
