// One entity of a level: piece, goal, spike, trigger, door, warp, wall,
// light, the board or scenery. A plain heap record owned by its Scene.
//
// An object's box spans x from position.x to x + length, y from position.y
// to y + height, and z from position.z - width to position.z: it grows toward
// +x and +y but toward -z.
#pragma once
#include "platform/types.h"

struct ModelFrame;                // the renderer's frame record
class ID3DXAnimationController;  // the model's animation

struct Vec3 {
  f32 x, y, z;
};

// Orientation codes of spikes, doors and warps (map letters X Y Z x y z).
enum : i32 {
  NoDirection = -1,
  DirectionPlusX = 0,
  DirectionPlusY = 1,
  DirectionPlusZ = 2,
  DirectionMinusX = 3,
  DirectionMinusY = 4,
  DirectionMinusZ = 5,
};

// Light kinds of a LIGHT object.
enum : i32 { NoLight = 0, SpotLight = 1, PointLight = 2 };

constexpr i32 DefaultWarpPeriod = 2000;  // ms of a warp's cool-down and bob

struct GameObject {
  ModelFrame* frameRoot;  // null when the object has no model
  Vec3 position;
  Vec3 startPosition;  // position at construction; a door's closed place
  Vec3 rotation;       // the board's tilt (x, z); a rolling spike's roll
  Vec3 spin;           // a ball's roll and wobble; turn of plates, warps, spikes
  f32 length;          // extent along x
  f32 width;           // extent along z, toward -z
  f32 height;          // extent along y
  f32 nextActiveTime;  // ms: a ball rests until then; a warp cools down
  ID3DXAnimationController* animationController;
  u32 index;   // creation ordinal in the Scene
  i32 period;  // ms: a warp's cool-down after serving as an exit
  char type[260];
  char target[260];  // a trigger's doors or a warp's exit, by type text
  char name[260];    // instance name; a ball's broken twin adds "_"
  char enteredBallName[64];  // the piece that last fired this warp
  u8 meshLoaded;
  u8 captured;  // a ball is being pulled into captureGoal
  u8 arrived;   // the last slide ended within reach
  u8 shown;     // 0: hidden scenery, a twin, or a popped ball
  u8 hit;       // popped ball's sound due / group trigger touched / warp entered
  u8 moving;    // a door is sliding
  GameObject* next;
  GameObject* captureGoal;
  char followName[32];  // a spot light aims at the object of this name
  i32 mode;       // trigger: 1 group; door: 1 open; ball: wobble 0 rising, 1 falling
  i32 direction;  // orientation code, NoDirection until set
  i32 lightKind;

  GameObject(const char* type, u32 index);
  GameObject(const char* type, u32 index, f32 length, f32 width, f32 height, f32 x, f32 y, f32 z);

  void Init(const char* type, u32 index);

  bool TypeIs(const char* text) const;
  bool TypeContains(const char* text) const;
  bool IsScenery() const;
  bool IsBall() const;
  void SetOrientation(char letter);

  void Wobble();
  void SpinAndBob(i32 timeMs);
  void MoveTowardTarget(f32 speed);
  void MoveTowardPoint(f32 x, f32 y, f32 z, f32 speed);

  // Collision: this object is the obstacle, `other` wants to stand at
  // (x, y, z). True when they touch in x-z; Overlaps applies the touch's
  // effect, Touches only tells.
  bool Touches(const GameObject* other, f32 x, f32 z) const;
  bool Overlaps(GameObject* other, f32 x, f32 y, f32 z);
};
