// Touch tests in the x-z plane, edges inclusive; y is never tested.
#include "world/game_object.h"

bool GameObject::Touches(const GameObject* other, f32 x, f32 z) const {
  bool cornerInside =
      x >= position.x && x <= position.x + length && z >= position.z - width && z <= position.z;
  bool boxesMeet = position.x <= x + other->length && position.x + length >= x &&
                   position.z >= z - other->width && position.z - width <= z;
  return cornerInside || boxesMeet;
}

bool GameObject::Overlaps(GameObject* other, f32 x, f32 /*y*/, f32 z) {
  if (!Touches(other, x, z)) return false;

  if (TypeIs("goal") && other->TypeIs("ball")) {
    other->captureGoal = this;
    other->captured = 1;
  } else if (TypeIs("spike") && other->IsBall()) {
    other->hit = 1;  // the ball rolled into the spike
    other->shown = 0;
  } else if (IsBall() && other->TypeIs("spike")) {
    hit = 1;  // the spike rolled into the ball
    shown = 0;
  }
  return true;
}
