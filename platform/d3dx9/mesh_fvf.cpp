#include "platform/d3dx9/mesh_fvf.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr DWORD KnownBits = D3DFVF_POSITION_MASK | D3DFVF_NORMAL | D3DFVF_PSIZE | D3DFVF_DIFFUSE |
                            D3DFVF_SPECULAR | D3DFVF_TEXCOUNT_MASK | D3DFVF_LASTBETA_UBYTE4;

void CopyElement(UINT from, const BYTE* source, UINT to, BYTE* destination, UINT size) {
  if (from != NoElement && to != NoElement) std::memcpy(destination + to, source + from, size);
}

}  // namespace

bool DescribeFvf(DWORD fvf, FvfLayout* layout) {
  if (fvf & ~KnownBits) return false;
  FvfLayout l;
  l.position = fvf & D3DFVF_POSITION_MASK;
  switch (l.position) {
    case 0:
      break;
    case D3DFVF_XYZ:
      l.positionSize = 12;
      break;
    case D3DFVF_XYZRHW:
      l.positionSize = 16;
      break;
    default:  // XYZB1 .. XYZB5
      l.positionSize = 12;
      l.weightCount = (l.position - D3DFVF_XYZB1) / 2 + 1;
      break;
  }
  if ((fvf & D3DFVF_LASTBETA_UBYTE4) && l.weightCount == 0) return false;
  UINT offset = l.positionSize + 4 * l.weightCount;
  if (fvf & D3DFVF_NORMAL) l.normal = offset, offset += 12;
  if (fvf & D3DFVF_PSIZE) l.pointSize = offset, offset += 4;
  if (fvf & D3DFVF_DIFFUSE) l.diffuse = offset, offset += 4;
  if (fvf & D3DFVF_SPECULAR) l.specular = offset, offset += 4;
  l.texCount = (fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT;
  if (l.texCount > 8) return false;
  l.texOffset = offset;
  offset += 8 * l.texCount;
  l.stride = offset;
  if (l.stride == 0) return false;
  *layout = l;
  return true;
}

UINT D3DXGetFVFVertexSize(DWORD fvf) {
  FvfLayout layout;
  return DescribeFvf(fvf, &layout) ? layout.stride : 0;
}

void CopySharedElements(const FvfLayout& from, const BYTE* source, const FvfLayout& to,
                        BYTE* destination) {
  if (from.position && to.position) {
    bool bothRhw = from.position == D3DFVF_XYZRHW && to.position == D3DFVF_XYZRHW;
    std::memcpy(destination, source, bothRhw ? 16 : 12);
  }
  UINT weights = std::min(from.weightCount, to.weightCount);
  std::memcpy(destination + to.positionSize, source + from.positionSize, 4 * weights);
  CopyElement(from.normal, source, to.normal, destination, 12);
  CopyElement(from.pointSize, source, to.pointSize, destination, 4);
  CopyElement(from.diffuse, source, to.diffuse, destination, 4);
  CopyElement(from.specular, source, to.specular, destination, 4);
  UINT sets = std::min(from.texCount, to.texCount);
  std::memcpy(destination + to.texOffset, source + from.texOffset, 8 * sets);
}
