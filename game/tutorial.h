// The tutorial: steps 0 to 17 on the tutorial map, each with a text, some
// posing or tilting the board themselves; two watch for the door to move.
#pragma once
#include "platform/types.h"
#include "world/scene.h"

struct Tutorial {
  u32 Step;     // 0 at the start; 18 ends the tutorial
  u8 StepDone;  // the door started to move at step 5 or 13

  // Next pressed: Step + 1, then the new step's pose.
  void NextStep(Scene* scene, f32 limit, f32 speed);
  // Once per game step in place of the tilt keys.
  void AutoTilt(Scene* scene, f32 limit, f32 speed);
  // The current step's text; clears StepDone at steps 6 and 14.
  const char* StepText();
};

extern Tutorial CurrentTutorial;
