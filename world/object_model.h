// Freeing the objects of a list together with their models.
//
// The world does not know the renderer's model types, so the renderer hands
// it one function when it starts: DestroyObjectModel must destroy the
// object's frame tree (D3DXFrameDestroy with a MeshHierarchy), release its
// animation controller, and set both fields to null. While it is null no
// model system is linked, and no object can hold a model.
#pragma once
#include "world/game_object.h"

extern void (*DestroyObjectModel)(GameObject* object);

// Frees every object of the list that starts at `head`, each model first;
// `head` is null afterwards.
void DestroyObjectList(GameObject*& head);
