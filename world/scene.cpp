#include "world/scene.h"

#include <cstring>
#include <new>

#include "world/object_model.h"
#include "world/world_time.h"

Scene* CurrentScene = nullptr;

// A map without a PLANE record leaves both map names empty; the deadline
// starts at 0 and is always set by the frame driver before it is read.
Scene::Scene()
    : objectCount(0),
      stateDeadline(0),
      cleared(0),
      failed(0),
      finished(0),
      hasGroupTriggers(0),
      retried(0),
      tutorial(0),
      nextMapName{},
      currentMapName{},
      lastTickTime(FrameworkTimeMs()),
      cameraPosition{0.0f, 25.0f, -10.0f},
      firstObject(nullptr),
      lastAdded(nullptr),
      cursor(nullptr) {}

Scene::~Scene() { DestroyObjectList(firstObject); }

bool Scene::Append(GameObject* object) {
  if (!object) return false;
  if (!firstObject)
    firstObject = object;
  else
    lastAdded->next = object;
  lastAdded = object;
  objectCount += 1;
  return true;
}

bool Scene::AddObject(const char* type) {
  return Append(new (std::nothrow) GameObject(type, objectCount));
}

bool Scene::AddObjectAt(const char* type, f32 length, f32 width, f32 height, f32 x, f32 y, f32 z) {
  return Append(new (std::nothrow) GameObject(type, objectCount, length, width, height, x, y, z));
}

GameObject* Scene::FindByName(const char* text) const {
  for (GameObject* o = firstObject; o; o = o->next)
    if (std::strcmp(o->name, text) == 0) return o;
  return nullptr;
}

GameObject* Scene::FindByType(const char* text) const {
  for (GameObject* o = firstObject; o; o = o->next)
    if (o->TypeIs(text)) return o;
  return nullptr;
}

void Scene::SetShownByType(const char* type, u8 shown) {
  for (GameObject* o = firstObject; o; o = o->next)
    if (o->TypeIs(type)) o->shown = shown;
}
