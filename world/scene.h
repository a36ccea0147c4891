// The current level: its objects in the order they were added, the level
// state bytes of the frame driver, the map names, the step clock and the
// camera. One at a time, reached through CurrentScene.
#pragma once
#include "platform/types.h"
#include "world/game_object.h"

// A type or name text returned by value.
struct ObjectText {
  char text[260];
};

struct Scene {
  u32 objectCount;  // the index of the next object
  i32 stateDeadline;  // ms: end of the frame driver's current wait
  u8 cleared;
  u8 failed;
  u8 finished;
  u8 hasGroupTriggers;  // group triggers whose doors have not opened yet
  u8 retried;
  u8 tutorial;
  char nextMapName[260];
  char currentMapName[260];
  f32 lastTickTime;  // ms of the last game tick
  Vec3 cameraPosition;
  GameObject* firstObject;
  GameObject* lastAdded;  // the map reader configures each new object here
  GameObject* cursor;     // iterator of the per-tick and per-frame walks

  Scene();
  ~Scene();
  Scene(const Scene&) = delete;
  Scene& operator=(const Scene&) = delete;

  // False only when no memory could be had; the list is then unchanged.
  bool AddObject(const char* type);
  bool AddObjectAt(const char* type, f32 length, f32 width, f32 height, f32 x, f32 y, f32 z);

  // First object in list order whose name / type equals the text exactly.
  GameObject* FindByName(const char* text) const;
  GameObject* FindByType(const char* text) const;
  void SetShownByType(const char* type, u8 shown);

  ObjectText GroupTriggerTarget() const;
  void ResetGroupTriggers();
  void ActivateDoors(const char* type);

  // Real balls only; broken twins never count.
  bool AllBallsHome() const;
  u32 CountShownBalls() const;
  bool NoShownBalls() const;

  // Moves a ball or spike unless the new place touches an obstacle, whose
  // touch then acts (triggers press, warps fire). True when it moved.
  bool MoveObject(GameObject* object, f32 x, f32 y, f32 z);

 private:
  bool Append(GameObject* object);
};

extern Scene* CurrentScene;
