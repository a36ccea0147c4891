// Small per-object motions: a home ball's rocking, a warp's bob, and the
// slides of captured balls and doors (which pass through anything).
#include "world/game_object.h"

void GameObject::Wobble() {
  if (mode == 0) {
    spin.x += 0.0025f;
    if (spin.x >= 0.3f) mode = 1;
  } else {
    spin.x -= 0.0025f;
    if (spin.x <= -0.3f) mode = 0;
  }
}

// Rises during the first half of the cool-down, sinks during the second.
void GameObject::SpinAndBob(i32 timeMs) {
  spin.y += 0.025f;
  i32 half = period / 2;
  if (nextActiveTime - static_cast<f32>(timeMs) < static_cast<f32>(half))
    position.y -= 0.01f;
  else
    position.y += 0.01f;
}

// One step of each axis toward (x, z); reports whether it ended within reach.
static bool StepToward(Vec3& position, f32 x, f32 z, f32 speed, f32 reach) {
  f32 s = speed * 0.33333334f;
  if (position.x < x)
    position.x += s;
  else if (position.x > x)
    position.x -= s;
  if (position.z < z)
    position.z += s;
  else if (position.z > z)
    position.z -= s;
  f32 dx = position.x - x;
  f32 dz = position.z - z;
  return dx * dx + dz * dz <= reach * reach;
}

// The ball is pulled onto the goal's reference corner.
void GameObject::MoveTowardTarget(f32 speed) {
  arrived = StepToward(position, captureGoal->position.x, captureGoal->position.z, speed, 0.06f);
  if (arrived) spin.x = 0.0f;
}

void GameObject::MoveTowardPoint(f32 x, f32 /*y*/, f32 z, f32 speed) {
  arrived = StepToward(position, x, z, speed, 0.04f);
}
