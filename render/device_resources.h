// What the device callbacks keep for drawing: the status text's font and
// sprite, the projection and the camera's view.
#pragma once
#include "platform/d3dx9/d3dx9.h"
#include "platform/types.h"

extern ID3DXFont* StatusFont;      // "Elephant" 30; made with the device
extern ID3DXSprite* StatusSprite;  // made at every device reset
extern D3DXMATRIX ProjectionMatrix;
extern D3DXMATRIX ViewMatrix;
constexpr f32 ViewScale = 20.0f;  // scale of the projection's depth range
