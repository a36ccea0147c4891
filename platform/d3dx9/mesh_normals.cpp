#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/d3dx9/mesh_fvf.h"
#include "platform/d3dx9/mesh_indices.h"

namespace {

D3DXVECTOR3 ReadVector(const BYTE* at) {
  D3DXVECTOR3 v;
  std::memcpy(&v.x, at, 12);
  return v;
}

// The angle of the face at corner `at`, between its edges to `a` and `b`.
float CornerAngle(const D3DXVECTOR3& at, const D3DXVECTOR3& a, const D3DXVECTOR3& b) {
  D3DXVECTOR3 u = a - at, v = b - at;
  D3DXVec3Normalize(&u, &u);
  D3DXVec3Normalize(&v, &v);
  return std::acos(std::clamp(D3DXVec3Dot(&u, &v), -1.0f, 1.0f));
}

}  // namespace

// Each vertex gets the normalised sum of the unit normals of the faces that
// use it, each weighted by the face's angle at that vertex, so that how a
// surface is cut into triangles does not tilt its normals. Vertices shared
// only by position (not by index) keep separate normals.
HRESULT D3DXComputeNormals(ID3DXBaseMesh* mesh, const DWORD* /*adjacency*/) {
  if (!mesh) return D3DERR_INVALIDCALL;
  FvfLayout layout;
  if (!DescribeFvf(mesh->GetFVF(), &layout) || layout.normal == NoElement ||
      layout.position == 0 || layout.position == D3DFVF_XYZRHW)
    return D3DERR_INVALIDCALL;
  DWORD vertexCount = mesh->GetNumVertices();
  DWORD faceCount = mesh->GetNumFaces();
  bool wide = mesh->GetOptions() & D3DXMESH_32BIT;

  std::vector<D3DXVECTOR3> sums(vertexCount);
  void* vertexData = nullptr;
  void* indexData = nullptr;
  HRESULT hr = mesh->LockVertexBuffer(0, &vertexData);
  if (FAILED(hr)) return hr;
  hr = mesh->LockIndexBuffer(D3DLOCK_READONLY, &indexData);
  if (FAILED(hr)) {
    mesh->UnlockVertexBuffer();
    return hr;
  }
  BYTE* vertices = static_cast<BYTE*>(vertexData);
  auto position = [&](DWORD v) { return ReadVector(vertices + size_t{v} * layout.stride); };
  for (DWORD f = 0; f < faceCount; ++f) {
    DWORD corner[3];
    for (int k = 0; k < 3; ++k) corner[k] = ReadIndex(indexData, wide, size_t{f} * 3 + k);
    if (corner[0] >= vertexCount || corner[1] >= vertexCount || corner[2] >= vertexCount)
      continue;
    D3DXVECTOR3 p[3] = {position(corner[0]), position(corner[1]), position(corner[2])};
    D3DXVECTOR3 a = p[1] - p[0], b = p[2] - p[0];
    D3DXVECTOR3 normal;
    D3DXVec3Cross(&normal, &a, &b);  // clockwise faces are the front
    D3DXVec3Normalize(&normal, &normal);
    for (int k = 0; k < 3; ++k)
      sums[corner[k]] = sums[corner[k]] + normal * CornerAngle(p[k], p[(k + 1) % 3], p[(k + 2) % 3]);
  }
  for (DWORD v = 0; v < vertexCount; ++v) {
    D3DXVECTOR3 normal;
    D3DXVec3Normalize(&normal, &sums[v]);  // a zero sum stays zero
    std::memcpy(vertices + size_t{v} * layout.stride + layout.normal, &normal.x, 12);
  }
  mesh->UnlockIndexBuffer();
  return mesh->UnlockVertexBuffer();
}
