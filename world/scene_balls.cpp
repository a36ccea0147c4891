// Ball queries of the frame driver and the status text.
#include "world/scene.h"

bool Scene::AllBallsHome() const {
  bool anyShown = false;
  for (GameObject* o = firstObject; o; o = o->next) {
    if (!o->IsBall() || !o->shown) continue;
    if (!o->arrived) return false;
    anyShown = true;
  }
  return anyShown;
}

u32 Scene::CountShownBalls() const {
  u32 count = 0;
  for (GameObject* o = firstObject; o; o = o->next)
    if (o->IsBall() && o->shown) count += 1;
  return count;
}

bool Scene::NoShownBalls() const { return CountShownBalls() == 0; }
