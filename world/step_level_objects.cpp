#include "sound/sound_table.h"
#include "world/game_step.h"
#include "world/scene.h"
#include "world/world_time.h"

constexpr f32 ExitGap = 0.2f;        // between a warp's side and the piece it puts out
constexpr f32 ExitReserveMs = 500.0f;  // an exit takes a piece this long before it cools down
constexpr f32 LandingPauseMs = 300.0f;  // a piece put out by a warp rests this long

// Spikes roll only along their own axis: direction +z or +x.
static void RollSpike(Scene* scene, GameObject* spike, f32 dx, f32 dz) {
  if (spike->direction == DirectionPlusZ)
    RollAlongZ(scene, spike, dz, spike->rotation.x);
  else if (spike->direction == DirectionPlusX)
    RollAlongX(scene, spike, dx, spike->rotation.z);
}

// Where a piece lands beside an exit: +x and +z add the exit's extent,
// -x and -z the piece's; up, down or no direction put it on the exit.
static Vec3 ExitPlace(const GameObject* exit, const GameObject* piece) {
  Vec3 p = exit->position;
  switch (exit->direction) {
    case DirectionPlusX: p.x = exit->position.x + exit->length + ExitGap; break;
    case DirectionPlusZ: p.z = exit->position.z + exit->width + ExitGap; break;
    case DirectionMinusX: p.x = exit->position.x - (piece->length + ExitGap); break;
    case DirectionMinusZ: p.z = exit->position.z - (piece->width + ExitGap); break;
    default: break;
  }
  p.y = 0.0f;
  return p;
}

static void FireWarp(Scene* scene, GameObject* warp) {
  warp->hit = 0;
  if (SoundStream* sound = FindSound("doorOpen")) {
    sound->Stop();  // restarts from the beginning
    sound->Play(false);
  }
  // A nameless piece (a spike without NAME) is carried nowhere.
  GameObject* piece = warp->enteredBallName[0] ? scene->FindByName(warp->enteredBallName) : nullptr;
  GameObject* exit = scene->FindByType(warp->target);
  if (!piece || !exit) return;
  // An exit still cooling down uses the entry up; the piece stays pressed
  // against the entry, which fires again on a later tick.
  if (!(exit->nextActiveTime <= FrameworkTimeMs() + ExitReserveMs)) return;
  Vec3 landing = ExitPlace(exit, piece);
  exit->nextActiveTime = FrameworkTimeMs() + static_cast<f32>(exit->period);
  piece->position = landing;
  piece->nextActiveTime = FrameworkTimeMs() + LandingPauseMs;
}

static void AnimateWarp(GameObject* warp) {
  f32 now = FrameworkTimeMs();
  if (warp->nextActiveTime > now) {
    warp->SpinAndBob(static_cast<i32>(now));
  } else if (warp->position.y > 0.0f) {
    warp->position.y -= 0.01f;  // sinks back, turning
    warp->spin.y += 0.025f;
  }
}

// The open place is one full extent along the door's direction; a door
// with no direction along x or z reaches its point at once.
static Vec3 DoorDestination(const GameObject* door) {
  Vec3 p = door->startPosition;
  if (door->mode != 0) return p;  // open: it closes back
  switch (door->direction) {
    case DirectionPlusX: p.x += door->length; break;
    case DirectionPlusY: p.y += door->height; break;
    case DirectionPlusZ: p.z += door->width; break;
    case DirectionMinusX: p.x -= door->length; break;
    case DirectionMinusY: p.y -= door->height; break;
    case DirectionMinusZ: p.z -= door->width; break;
    default: break;
  }
  return p;
}

// A door flips its state one tick after its slide has ended.
static void StepDoor(GameObject* door) {
  if (door->arrived) {
    door->mode = door->mode == 0 ? 1 : 0;
    door->moving = 0;
    door->arrived = 0;
    return;
  }
  if (!door->moving) return;
  Vec3 p = DoorDestination(door);
  door->MoveTowardPoint(p.x, p.y, p.z, RollSpeed);
  SoundSlide("doorOpen", door->arrived);
}

void StepLevelObjects() {
  Scene* scene = CurrentScene;
  GameObject* board = scene ? scene->FindByType("map") : nullptr;
  if (!board) return;
  f32 dz = RollDistance(board->rotation.x, SpikeDeadZone, RollSpeed) / SpikeSpeedDivisor;
  f32 dx = -RollDistance(board->rotation.z, SpikeDeadZone, RollSpeed) / SpikeSpeedDivisor;

  for (scene->cursor = scene->firstObject; scene->cursor; scene->cursor = scene->cursor->next) {
    GameObject* o = scene->cursor;
    if (o->TypeContains("spike")) {
      RollSpike(scene, o, dx, dz);
    } else if (o->TypeContains("warp")) {
      if (o->hit)
        FireWarp(scene, o);
      else
        AnimateWarp(o);
    } else if (o->TypeContains("door")) {
      StepDoor(o);
    }
  }
}
