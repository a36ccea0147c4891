#include <cmath>

#include "world/game_step.h"
#include "world/tilt.h"

f32 RollDistance(f32 tilt, f32 deadZone, f32 speed) {
  f32 size = std::fabs(tilt);
  if (!(size > deadZone)) return 0.0f;
  f32 distance = size / TiltLimit * speed;
  return tilt < 0.0f ? -distance : distance;
}
