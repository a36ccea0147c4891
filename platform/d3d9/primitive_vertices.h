// How many vertices a draw of primitives reads; both devices count alike.
#pragma once
#include "platform/d3d9/d3d9.h"

// Vertices drawn for primCount primitives of `type`; 0 for an unknown type.
inline UINT VerticesForPrimitives(D3DPRIMITIVETYPE type, UINT primCount) {
  switch (type) {
    case D3DPT_POINTLIST: return primCount;
    case D3DPT_LINELIST: return primCount * 2;
    case D3DPT_LINESTRIP: return primCount + 1;
    case D3DPT_TRIANGLELIST: return primCount * 3;
    case D3DPT_TRIANGLESTRIP:
    case D3DPT_TRIANGLEFAN: return primCount + 2;
  }
  return 0;
}
