// Trigger groups and door activation.
#include "world/scene.h"
#include "world/text_copy.h"

static bool IsGroupTrigger(const GameObject* o) { return o->TypeIs("trigger") && o->mode == 1; }

// All group triggers of a level form one group: it is complete when every
// one was touched in this tick, and opens the first non-empty target.
ObjectText Scene::GroupTriggerTarget() const {
  ObjectText result{};
  if (!hasGroupTriggers) return result;
  for (GameObject* o = firstObject; o; o = o->next) {
    if (!IsGroupTrigger(o)) continue;
    if (!o->hit) return ObjectText{};
    if (result.text[0] == '\0') CopyText(result.text, o->target);
  }
  return result;
}

void Scene::ResetGroupTriggers() {
  if (!hasGroupTriggers) return;
  for (GameObject* o = firstObject; o; o = o->next)
    if (IsGroupTrigger(o)) o->hit = 0;
}

// A door already sliding keeps its slide: it is never restarted or reversed.
void Scene::ActivateDoors(const char* type) {
  for (GameObject* o = firstObject; o; o = o->next)
    if (o->TypeIs(type)) o->moving = 1;
}
