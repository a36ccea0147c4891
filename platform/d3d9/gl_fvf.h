// Where each part of a vertex lies, from its flexible vertex format.
#pragma once
#include "platform/d3d9/d3d9.h"

struct FvfLayout {
  bool pretransformed = false;  // XYZRHW: back-buffer pixels, depth, 1/w
  int blendWeights = 0;         // floats after the position (XYZB1..B5)
  bool lastBetaIndices = false;  // the last of them holds indices, not a weight
  int normal = -1;              // byte offsets, -1 when absent
  int diffuse = -1;
  int texCoord0 = -1;
  int texCoord0Size = 2;  // floats
  UINT size = 0;          // bytes of one vertex
};

// False for a format without a position.
bool DecodeFvf(DWORD fvf, FvfLayout* layout);
