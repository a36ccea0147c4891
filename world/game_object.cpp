#include "world/game_object.h"

#include <cstring>

#include "world/text_copy.h"

GameObject::GameObject(const char* type, u32 index) { Init(type, index); }

GameObject::GameObject(const char* type, u32 index, f32 length, f32 width, f32 height, f32 x, f32 y,
                       f32 z) {
  Init(type, index);
  this->length = length;
  this->width = width;
  this->height = height;
  position = {x, y, z};
  startPosition = position;
}

// Fields that the map reader sets per kind start neutral as well: empty
// texts, no light, not moving, and no direction (-1) until one is set.
void GameObject::Init(const char* type, u32 index) {
  frameRoot = nullptr;
  position = startPosition = rotation = spin = {0.0f, 0.0f, 0.0f};
  length = width = height = 0.0f;
  nextActiveTime = 0.0f;
  animationController = nullptr;
  this->index = index;
  period = DefaultWarpPeriod;
  CopyText(this->type, type);
  target[0] = name[0] = enteredBallName[0] = followName[0] = '\0';
  meshLoaded = captured = arrived = hit = moving = 0;
  shown = 1;
  next = captureGoal = nullptr;
  mode = 0;
  direction = NoDirection;
  lightKind = NoLight;
}

bool GameObject::TypeIs(const char* text) const { return std::strcmp(type, text) == 0; }

// strstr finds an empty text in any type, as the rules expect.
bool GameObject::TypeContains(const char* text) const { return std::strstr(type, text) != nullptr; }

bool GameObject::IsScenery() const {
  static const char* const kScenery[] = {"map", "skybox", "cleared", "num", "tryagain", "quit", "LIGHT"};
  for (const char* kind : kScenery)
    if (TypeIs(kind)) return true;
  return false;
}

// A broken twin (name + "_") and a nameless ball are never real balls.
bool GameObject::IsBall() const {
  if (!TypeContains("ball") || name[0] == '\0') return false;
  return name[std::strlen(name) - 1] != '_';
}

static i32 DirectionOfLetter(char letter) {
  switch (letter) {
    case 'X': return DirectionPlusX;
    case 'Y': return DirectionPlusY;
    case 'Z': return DirectionPlusZ;
    case 'x': return DirectionMinusX;
    case 'y': return DirectionMinusY;
    case 'z': return DirectionMinusZ;
    default: return NoDirection;
  }
}

void GameObject::SetOrientation(char letter) {
  i32 code = DirectionOfLetter(letter);
  if (code == NoDirection) return;
  if (TypeIs("spike")) {
    direction = code;
    // A spike laid along z is turned a quarter so its model faces its roll.
    if (code == DirectionPlusZ || code == DirectionMinusZ) spin.y = 1.5707964f;
  } else if (TypeContains("door") || TypeContains("warp")) {
    direction = code;
  }
}
