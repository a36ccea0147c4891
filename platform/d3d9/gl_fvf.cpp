#include "platform/d3d9/gl_fvf.h"

bool DecodeFvf(DWORD fvf, FvfLayout* layout) {
  *layout = FvfLayout{};
  UINT offset = 0;
  switch (fvf & D3DFVF_POSITION_MASK) {
    case D3DFVF_XYZ:
      offset = 12;
      break;
    case D3DFVF_XYZRHW:
      layout->pretransformed = true;
      offset = 16;
      break;
    case D3DFVF_XYZB1:
    case D3DFVF_XYZB2:
    case D3DFVF_XYZB3:
    case D3DFVF_XYZB4:
    case D3DFVF_XYZB5:
      layout->blendWeights = int(((fvf & D3DFVF_POSITION_MASK) - D3DFVF_XYZB1) / 2 + 1);
      layout->lastBetaIndices = (fvf & D3DFVF_LASTBETA_UBYTE4) != 0;
      offset = 12 + 4 * UINT(layout->blendWeights);
      break;
    default:
      return false;
  }
  if (fvf & D3DFVF_NORMAL) {
    layout->normal = int(offset);
    offset += 12;
  }
  if (fvf & D3DFVF_PSIZE) offset += 4;
  if (fvf & D3DFVF_DIFFUSE) {
    layout->diffuse = int(offset);
    offset += 4;
  }
  if (fvf & D3DFVF_SPECULAR) offset += 4;
  const UINT texCount = (fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT;
  for (UINT i = 0; i < texCount; ++i) {
    // Two bits per set from bit 16: 0 two floats, 1 three, 2 four, 3 one.
    static const int kFloats[4] = {2, 3, 4, 1};
    const int floats = kFloats[(fvf >> (16 + 2 * i)) & 3];
    if (i == 0) {
      layout->texCoord0 = int(offset);
      layout->texCoord0Size = floats;
    }
    offset += 4 * UINT(floats);
  }
  layout->size = offset;
  return true;
}
