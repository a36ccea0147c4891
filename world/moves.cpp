// Moving a piece: refused when its new place touches an obstacle, and the
// touched obstacle acts on the piece.
#include "world/scene.h"
#include "world/text_copy.h"
#include "world/world_time.h"

// Hidden objects, scenery, and balls that are captured or home stand in no
// one's way. The flags and the box test are cheap, so they go before the
// type texts.
static bool StandsInTheWay(const GameObject* o, const GameObject* mover, f32 x, f32 z) {
  return o != mover && o->shown && !o->captured && !o->arrived && o->Touches(mover, x, z) &&
         !o->IsScenery();
}

bool Scene::MoveObject(GameObject* object, f32 x, f32 y, f32 z) {
  GameObject* touched = nullptr;
  for (GameObject* o = firstObject; o && !touched; o = o->next)
    if (StandsInTheWay(o, object, x, z) && o->Overlaps(object, x, y, z)) touched = o;

  if (!touched) {
    object->position = {x, y, z};
    return true;
  }
  if (!object->IsBall() && !object->TypeIs("spike")) return false;

  if (touched->TypeIs("trigger")) {
    if (touched->mode == 1) {
      touched->hit = 1;  // counted by the game step with the rest of its group
    } else {
      ActivateDoors(touched->target);
      touched->spin.y += 0.025f;  // the plate turns while it is pressed
    }
  } else if (touched->TypeContains("warp")) {
    // A warp that leads back to itself never fires.
    if (FindByType(touched->target) != touched && touched->nextActiveTime < FrameworkTimeMs()) {
      touched->hit = 1;
      // Piece names longer than the field are cut; the map reader keeps
      // ball and spike names within it, so a cut name never happens.
      CopyText(touched->enteredBallName, object->name);
    }
  }
  return false;
}
