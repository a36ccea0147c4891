#include "game/tutorial.h"

Tutorial CurrentTutorial;

namespace {

constexpr f32 OneThird = 0.33333334f;
constexpr f32 OneQuarter = 0.25f;

// Moves a tilt angle by `delta`, stopping at `bound` (reached counts).
void TiltToward(f32& angle, f32 delta, f32 bound) {
  angle += delta;
  if (delta < 0 ? angle <= bound : angle >= bound) angle = bound;
}

}  // namespace

void Tutorial::NextStep(Scene* scene, f32 limit, f32) {
  ++Step;
  GameObject* board = scene->FindByType("map");
  GameObject* ball = scene->FindByType("ball");
  if (!board || !ball) return;
  Vec3& tilt = board->rotation;
  switch (Step) {
    case 2:
    case 3:
      tilt.z = 0;
      break;
    case 6:
    case 8:
    case 14:
      tilt.z = 0;
      tilt.x = 0;
      ball->position.z = 0;
      ball->position.x = 0;
      break;
    case 10:
      // The open door starts to slide shut, to show what a trigger is for.
      if (GameObject* door = scene->FindByType("door"); door && door->mode == 1) door->moving = 1;
      break;
    case 13:
      tilt.x = 0;
      tilt.z = limit * OneThird;
      break;
    default:
      if (Step >= 18) scene->tutorial = 0;
      break;
  }
}

void Tutorial::AutoTilt(Scene* scene, f32 limit, f32 speed) {
  GameObject* board = scene->FindByType("map");
  GameObject* ball = scene->FindByType("ball");
  if (!board || !ball) return;
  Vec3& tilt = board->rotation;
  const f32 h = speed * 0.5f;
  // Holds the board level and the ball still while the door slides.
  auto doorTest = [&] {
    GameObject* door = scene->FindByType("door");
    if (!door || !door->moving) return;
    StepDone = 1;
    tilt.z = 0;
    tilt.x = 0;
    ball->position.y = 0;
    ball->position.x = 0;
  };
  switch (Step) {
    case 2:
      TiltToward(tilt.x, -h, -limit);
      break;
    case 3:
      TiltToward(tilt.x, h, limit);
      break;
    case 4:
      TiltToward(tilt.z, -h, -limit);
      if (tilt.x > 0) tilt.x -= h;
      if (tilt.x < 0) tilt.x += h;
      break;
    case 5:
      if (!StepDone) TiltToward(tilt.z, h, limit);
      doorTest();
      break;
    case 6:
      TiltToward(tilt.z, h, limit * OneThird);
      TiltToward(tilt.x, h, limit * OneQuarter);
      break;
    case 7:
      TiltToward(tilt.z, -h, -OneQuarter * limit);
      TiltToward(tilt.x, -h, -OneThird * limit);
      break;
    case 13:
      doorTest();
      break;
    default:
      break;
  }
}
