// Drawing a game object's model as the game places it: unskinned pieces by
// the object's box, spins, rotations and the board's tilt; skinned pieces by
// their bones.
#pragma once
#include "platform/d3d9/d3d9.h"
#include "render/model.h"
#include "world/game_object.h"

void DrawObjectModel(IDirect3DDevice9* device, ModelFrame* frame, const GameObject& object,
                     const GameObject* board);
