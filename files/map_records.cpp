#include "files/map_records.h"

#include <cfloat>
#include <cstdlib>
#include <cstring>
#include <string>

#include "files/map_reader.h"
#include "files/map_models.h"
#include "files/score_list.h"
#include "files/tagged_text.h"
#include "world/scene.h"
#include "world/text_copy.h"

namespace {

// atof, kept finite and within f32: a value with no number, or "nan", is 0.
f32 ReadNumber(const char* text) {
  const double value = std::atof(text);
  if (value != value) return 0.0f;
  if (value > FLT_MAX) return FLT_MAX;
  if (value < -FLT_MAX) return -FLT_MAX;
  return static_cast<f32>(value);
}

// Loads the model of the object just added; the loader refuses a name too
// long to be a file.
void LoadModel(const MapLoad& load, const std::string& file) { load.models->Load(load, file); }

// Ball and spike names are cut to what a warp keeps of the piece that
// entered it.
void CopyPieceName(GameObject* piece, const char* name) {
  CopyText(piece->name, sizeof piece->enteredBallName, name);
}

struct Placement {
  f32 x, y, z, length, width, height;
};

bool Add(const MapLoad& load, const char* type, f32 length, f32 width, f32 height, const Placement& at) {
  return load.scene->AddObjectAt(type, length, width, height, at.x, at.y, at.z);
}

bool AddSized(const MapLoad& load, const char* type, const Placement& at) {
  return Add(load, type, at.length, at.width, at.height, at);
}

void AddBall(const MapLoad& load, const MapLineValues& v, const Placement& at) {
  static const char* const looks[] = {"ball.x", "ball2.x", "ball3.x"};
  if (!Add(load, "ball", 0.8f, 0.8f, 1.0f, at)) return;
  GameObject* ball = load.scene->lastAdded;
  CopyPieceName(ball, v.name.get());
  LoadModel(load, looks[std::rand() % 3]);
  if (!Add(load, "ball", 0.8f, 0.8f, 1.0f, at)) return;
  GameObject* twin = load.scene->lastAdded;
  std::strcpy(twin->name, ball->name);
  std::strcat(twin->name, "_");
  LoadModel(load, "scrambled.x");
  twin->shown = 0;
}

void PlaceCamera(const MapLoad& load, const Placement& at) {
  load.scene->cameraPosition = {at.x, at.y, at.z};
  if (GameObject* title = load.scene->FindByType("title")) title->position = {at.x - 3.0f, at.y - 1.75f, 0.0f};
}

void AddSpike(const MapLoad& load, const char* line, const MapLineValues& v, const Placement& at) {
  if (!AddSized(load, "spike", at)) return;
  GameObject* spike = load.scene->lastAdded;
  spike->SetOrientation(ExtractElementText(line, "DIRECTION")[0]);
  LoadModel(load, "spike.x");
  CopyPieceName(spike, v.name.get());
}

void AddLight(const MapLoad& load, const char* line, const MapLineValues& v, const Placement& at) {
  if (!Add(load, "LIGHT", 1.0f, 1.0f, 1.0f, at)) return;
  GameObject* light = load.scene->lastAdded;
  const char* kind = v.name.get();
  light->lightKind = std::strcmp(kind, "SPOT") == 0 ? SpotLight : std::strcmp(kind, "POINT") == 0 ? PointLight : NoLight;
  CopyText(light->followName, ExtractElementText(line, "FOLLOW").get());
}

void AddDoor(const MapLoad& load, const char* line, const MapLineValues& v, const Placement& at) {
  if (!AddSized(load, v.name.get(), at)) return;
  GameObject* door = load.scene->lastAdded;
  const char letter = ExtractElementText(line, "DIRECTION")[0];
  LoadModel(load, letter == 'X' || letter == 'x' ? "door2.x" : "door.x");
  door->SetOrientation(letter);
  door->mode = 0;
  door->moving = 0;
}

void AddTrigger(const MapLoad& load, const char* line, const Placement& at) {
  if (!AddSized(load, "trigger", at)) return;
  GameObject* trigger = load.scene->lastAdded;
  LoadModel(load, "trigger.x");
  CopyText(trigger->target, ExtractElementText(line, "TARGET").get());
  if (std::strcmp(ExtractElementText(line, "MODE").get(), "S") == 0) {
    trigger->mode = 1;
    load.scene->hasGroupTriggers = 1;
  }
}

void AddWarp(const MapLoad& load, const char* line, const MapLineValues& v, const Placement& at) {
  if (!AddSized(load, v.name.get(), at)) return;
  GameObject* warp = load.scene->lastAdded;
  LoadModel(load, "warp.x");
  CopyText(warp->target, ExtractElementText(line, "TARGET").get());
  warp->SetOrientation(ExtractElementText(line, "DIRECTION")[0]);
}

// A NEXT too long to make an openable name leaves the next map unnamed,
// which no load opens, rather than a cut name that may open another map.
constexpr std::size_t NextMapNameLimit = MapNameMaxLength - (sizeof ".mn" - 1);

void AddBoard(const MapLoad& load, const MapLineValues& v, const Placement& at) {
  if (!AddSized(load, "map", at)) return;
  Scene& scene = *load.scene;
  const char* next = v.next.get();
  if (std::strlen(next) <= NextMapNameLimit) {
    std::strcpy(scene.nextMapName, next);
    std::strcat(scene.nextMapName, ".mn");
  } else {
    scene.nextMapName[0] = '\0';
  }
  CopyText(scene.currentMapName, load.mapName);
  const std::string named = std::string("res/maps/") + v.file.get() + ".mn";
  DataInconsistent = named == load.openedPath ? 0 : 1;
  LoadModel(load, std::string(v.file.get()) + ".x");
}

}  // namespace

MapLineValues ReadMapLineValues(const char* line) {
  MapLineValues v;
  v.type = ExtractElementText(line, "TYPE");
  v.name = ExtractElementText(line, "NAME");
  v.posX = ExtractElementText(line, "POSX");
  v.posY = ExtractElementText(line, "POSY");
  v.posZ = ExtractElementText(line, "POSZ");
  v.length = ExtractElementText(line, "LENGTH");
  v.width = ExtractElementText(line, "WIDTH");
  v.height = ExtractElementText(line, "HEIGHT");
  v.next = ExtractElementText(line, "NEXT");
  v.file = ExtractElementText(line, "FILE");
  return v;
}

const RecordSize* SizeOfRecord(const char* type) {
  static const struct {
    const char* type;
    RecordSize size;
  } records[] = {
      {"BALL", {2, true}},     {"CAMERA", {0, false}},  {"SPIKE", {1, true}}, {"LIGHT", {1, false}},
      {"GOAL", {1, false}},    {"DOOR", {1, false}},    {"TRIGGER", {1, false}},
      {"WARP", {1, false}},    {"BLOCK", {1, false}},   {"PLANE", {1, false}},
  };
  for (const auto& record : records)
    if (std::strcmp(type, record.type) == 0) return &record.size;
  return nullptr;
}

void AddMapRecord(const MapLoad& load, const char* line, const MapLineValues& v) {
  const Placement at{ReadNumber(v.posX.get()),   ReadNumber(v.posY.get()),  ReadNumber(v.posZ.get()),
                     ReadNumber(v.length.get()), ReadNumber(v.width.get()), ReadNumber(v.height.get())};
  const char* type = v.type.get();
  if (std::strcmp(type, "BALL") == 0) {
    AddBall(load, v, at);
  } else if (std::strcmp(type, "CAMERA") == 0) {
    PlaceCamera(load, at);
  } else if (std::strcmp(type, "SPIKE") == 0) {
    AddSpike(load, line, v, at);
  } else if (std::strcmp(type, "LIGHT") == 0) {
    AddLight(load, line, v, at);
  } else if (std::strcmp(type, "GOAL") == 0) {
    if (AddSized(load, "goal", at)) LoadModel(load, std::string(v.name.get()) + ".x");
  } else if (std::strcmp(type, "DOOR") == 0) {
    AddDoor(load, line, v, at);
  } else if (std::strcmp(type, "TRIGGER") == 0) {
    AddTrigger(load, line, at);
  } else if (std::strcmp(type, "WARP") == 0) {
    AddWarp(load, line, v, at);
  } else if (std::strcmp(type, "BLOCK") == 0) {
    AddSized(load, "wall", at);
  } else if (std::strcmp(type, "PLANE") == 0) {
    AddBoard(load, v, at);
  }
}

void AddFixedObjects(const MapLoad& load) {
  Scene& scene = *load.scene;
  if (scene.AddObject("skybox")) LoadModel(load, "skybox.x");
  if (scene.AddObjectAt("quit", 0.3f, 0.7f, 5.0f, -5.0f, 15.0f, 2.0f)) {
    LoadModel(load, "quit.x");
    scene.lastAdded->shown = 0;
  }
  if (scene.AddObjectAt("title", 0.3f, 0.7f, 5.0f, -9.5f, 23.25f, 0.0f)) {
    LoadModel(load, "title.x");
    scene.lastAdded->shown = 0;
  }
}
