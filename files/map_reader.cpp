#include "files/map_reader.h"

#include <cstdio>
#include <cstring>

#include "files/map_records.h"
#include "files/score_list.h"
#include "files/scrambling.h"
#include "files/text_lines.h"
#include "render/model_loading.h"
#include "world/level_clock.h"
#include "world/scene.h"

u8 DataInconsistent = 0;

void LoadLevelMap(IDirect3DDevice9* device, const char* mapFileName) {
  const size_t nameLength = strnlen(mapFileName, MapNameMaxLength + 1);
  if (nameLength == 0 || nameLength > static_cast<size_t>(MapNameMaxLength)) return;
  char name[MapNameMaxLength + 1];
  std::memcpy(name, mapFileName, nameLength);
  name[nameLength] = '\0';
  char path[sizeof "res/maps/" + MapNameMaxLength];
  std::snprintf(path, sizeof path, "res/maps/%s", name);

  std::FILE* file = std::fopen(path, "r");
  if (!file) return;
  // A folder opens like a file here but reads nothing: it is no map either.
  const int first = std::getc(file);
  if (first == EOF && std::ferror(file)) {
    std::fclose(file);
    return;
  }
  std::ungetc(first, file);

  delete CurrentScene;
  CurrentScene = new Scene();
  StartLevelClock();

  MeshHierarchy allocator;
  const MapLoad load{CurrentScene, device, &allocator, name, path};
  AddFixedObjects(load);

  char line[MapLineCapacity];
  while (ReadTextLine(file, line, MapLineCapacity)) {
    UnscrambleText(line);
    const MapLineValues values = ReadMapLineValues(line);
    AddMapRecord(load, line, values);
  }
  std::fclose(file);
}
