#include "world/object_model.h"

void (*DestroyObjectModel)(GameObject* object) = nullptr;

void DestroyObjectList(GameObject*& head) {
  while (head) {
    GameObject* object = head;
    head = object->next;
    if (DestroyObjectModel && (object->frameRoot || object->animationController))
      DestroyObjectModel(object);
    delete object;
  }
}
