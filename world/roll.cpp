#include <cmath>

#include "world/game_step.h"
#include "world/scene.h"
#include "world/tilt.h"

f32 RollDistance(f32 tilt, f32 deadZone, f32 speed) {
  f32 size = std::fabs(tilt);
  if (!(size > deadZone)) return 0.0f;
  f32 distance = size / TiltLimit * speed;
  return tilt < 0.0f ? -distance : distance;
}

void RollAlongZ(Scene* scene, GameObject* piece, f32 dz, f32& angle) {
  Vec3 p = piece->position;
  if (scene->MoveObject(piece, p.x, p.y, p.z + dz) && std::fabs(piece->position.z - p.z) > MoveEpsilon)
    angle += dz;
}

void RollAlongX(Scene* scene, GameObject* piece, f32 dx, f32& angle) {
  Vec3 p = piece->position;
  if (scene->MoveObject(piece, p.x + dx, p.y, p.z) && std::fabs(piece->position.x - p.x) > MoveEpsilon)
    angle -= dx;
}
