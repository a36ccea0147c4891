// Drawing one game object's model: unskinned pieces placed by the object's
// box, spins, rotations and the board's tilt; skinned pieces by their bones.
#pragma once
#include "platform/d3d9/d3d9.h"
#include "render/model.h"
#include "world/game_object.h"

// Every piece of the tree: a frame's pieces, then its later siblings' trees,
// then its children's. `frame` must not be null.
void DrawModelTree(IDirect3DDevice9* device, ModelFrame* frame, GameObject* object);
// One piece; an unskinned piece draws nothing without an object.
void DrawModelPiece(IDirect3DDevice9* device, ModelPiece* piece, GameObject* object);
