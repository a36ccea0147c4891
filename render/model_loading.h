// Loading an object's model from "res/images" and keeping its matrices.
#pragma once
#include "platform/d3d9/d3d9.h"
#include "render/model.h"
#include "world/game_object.h"

// Loads `file` from "res/images" into the object's frameRoot and
// animationController and sets meshLoaded when the model is complete. The
// game's folder is current again on every exit.
HRESULT LoadObjectMesh(const char* file, IDirect3DDevice9* device, GameObject* object,
                       MeshHierarchy* allocator);

// Frees the object's model and animation; the world calls it through its
// DestroyObjectModel hook, which LoadObjectMesh sets.
void FreeObjectModel(GameObject* object);

// Points every skinned piece under `frame` (its siblings and children too) at
// the CombinedMatrix of each bone's frame in the model at `root`.
HRESULT LinkBoneMatrices(ModelFrame* frame, ModelFrame* root);
HRESULT LinkBoneMatricesOfMesh(ModelPiece* piece, ModelFrame* root);

// CombinedMatrix of the frame, its siblings and their descendants; `parent`
// null for a root.
void ComputeFrameMatrices(ModelFrame* frame, const D3DXMATRIX* parent);
