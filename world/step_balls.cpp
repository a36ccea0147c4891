#include "sound/sound_table.h"
#include "world/game_step.h"
#include "world/scene.h"
#include "world/world_time.h"

static void PlayPopSound() {
  if (SoundStream* sound = FindSound("objHit")) sound->Play(false);
}

static void PullIntoGoal(GameObject* ball) {
  ball->MoveTowardTarget(RollSpeed);
  SoundSlide("enterGoal", ball->arrived);
}

// z first, then x, each allowed or refused by itself, so a ball blocked
// along one axis still slides along the other.
static void Roll(Scene* scene, GameObject* ball, f32 dx, f32 dz) {
  RollAlongZ(scene, ball, dz, ball->spin.x);
  RollAlongX(scene, ball, dx, ball->spin.z);
}

void StepBalls() {
  Scene* scene = CurrentScene;
  GameObject* board = scene ? scene->FindByType("map") : nullptr;
  if (!board) return;
  scene->ResetGroupTriggers();
  f32 dz = RollDistance(board->rotation.x, BallDeadZone, RollSpeed);
  f32 dx = -RollDistance(board->rotation.z, BallDeadZone, RollSpeed);

  // Broken twins walk along: they are hidden and inert.
  for (scene->cursor = scene->firstObject; scene->cursor; scene->cursor = scene->cursor->next) {
    GameObject* ball = scene->cursor;
    if (!ball->TypeContains("ball") || ball->nextActiveTime > FrameworkTimeMs()) continue;
    if (!ball->shown) {
      if (ball->hit) PlayPopSound();
      ball->hit = 0;
    } else if (ball->arrived) {
      // home: it only wobbles, when drawn
    } else if (ball->captured) {
      PullIntoGoal(ball);
    } else {
      Roll(scene, ball, dx, dz);
    }
  }

  // Every group trigger pressed by a ball in this same tick: the group
  // fires, once per level.
  ObjectText target = scene->GroupTriggerTarget();
  if (target.text[0] != '\0') {
    scene->ActivateDoors(target.text);
    scene->hasGroupTriggers = 0;
  }
}
