#include "world/tilt.h"

#include "world/scene.h"

u8 TiltKeys[4] = {};

static f32 ClampTilt(f32 v) {
  if (v > TiltLimit) return TiltLimit;
  if (v < -TiltLimit) return -TiltLimit;
  return v;
}

static GameObject* Board() { return CurrentScene ? CurrentScene->FindByType("map") : nullptr; }

void TiltPlatformX(f32 step) {
  if (GameObject* board = Board()) board->rotation.x = ClampTilt(board->rotation.x + step);
}

void TiltPlatformZ(f32 step) {
  if (GameObject* board = Board()) board->rotation.z = ClampTilt(board->rotation.z + step);
}

// Each key steps on its own, so opposite keys cancel unless one is cut by
// the limit.
void ApplyTiltKeys() {
  if (TiltKeys[TiltRight]) TiltPlatformX(-TiltStep);
  if (TiltKeys[TiltLeft]) TiltPlatformX(TiltStep);
  if (TiltKeys[TiltUp]) TiltPlatformZ(-TiltStep);
  if (TiltKeys[TiltDown]) TiltPlatformZ(TiltStep);
}
