// The vertex-blended mesh that a skinned piece is drawn from.
#pragma once
#include "platform/d3d9/d3d9.h"
#include "platform/types.h"
#include "render/model.h"

enum : u32 { NonIndexedSkinning = 0 };
// The skinning method of every build and every skinned drawing.
extern u32 SkinningMethod;

// Converts the piece's SourceMesh into a blended mesh with its bone
// combinations, and finds the first combination the device cannot blend.
HRESULT BuildSkinnedMesh(IDirect3DDevice9* device, ModelPiece* piece);
