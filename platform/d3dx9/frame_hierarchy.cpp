// Walks over a loaded frame tree. Siblings are followed in a loop and only
// children recurse, so a long list of siblings costs no stack.
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/d3dx9/d3dx9anim.h"

namespace {

void DestroyFrames(D3DXFRAME* frame, ID3DXAllocateHierarchy* allocator) {
  while (frame) {
    D3DXFRAME* sibling = frame->pFrameSibling;
    D3DXMESHCONTAINER* container = frame->pMeshContainer;
    while (container) {
      D3DXMESHCONTAINER* next = container->pNextMeshContainer;
      allocator->DestroyMeshContainer(container);
      container = next;
    }
    DestroyFrames(frame->pFrameFirstChild, allocator);
    allocator->DestroyFrame(frame);
    frame = sibling;
  }
}

// Every mesh vertex's position carried into the root's space by the frames'
// matrices as loaded.
void CollectPositions(const D3DXFRAME* frame, const D3DXMATRIX& parent,
                      std::vector<D3DXVECTOR3>* positions) {
  for (; frame; frame = frame->pFrameSibling) {
    D3DXMATRIX combined;
    D3DXMatrixMultiply(&combined, &frame->TransformationMatrix, &parent);
    for (D3DXMESHCONTAINER* c = frame->pMeshContainer; c; c = c->pNextMeshContainer) {
      ID3DXMesh* mesh = c->MeshData.pMesh;
      void* data = nullptr;
      if (!mesh || FAILED(mesh->LockVertexBuffer(D3DLOCK_READONLY, &data))) continue;
      DWORD stride = mesh->GetNumBytesPerVertex(), count = mesh->GetNumVertices();
      for (DWORD i = 0; i < count; ++i) {
        D3DXVECTOR3 local, moved;
        std::memcpy(&local.x, static_cast<const BYTE*>(data) + i * stride, 3 * sizeof(float));
        positions->push_back(*D3DXVec3TransformCoord(&moved, &local, &combined));
      }
      mesh->UnlockVertexBuffer();
    }
    CollectPositions(frame->pFrameFirstChild, combined, positions);
  }
}

}  // namespace

HRESULT D3DXFrameDestroy(D3DXFRAME* frameRoot, ID3DXAllocateHierarchy* allocator) {
  if (!frameRoot || !allocator) return E_INVALIDARG;
  DestroyFrames(frameRoot, allocator);
  return S_OK;
}

D3DXFRAME* D3DXFrameFind(const D3DXFRAME* frameRoot, LPCSTR name) {
  if (!name) return nullptr;
  for (const D3DXFRAME* frame = frameRoot; frame; frame = frame->pFrameSibling) {
    if (frame->Name && std::strcmp(name, frame->Name) == 0) return const_cast<D3DXFRAME*>(frame);
    if (D3DXFRAME* found = D3DXFrameFind(frame->pFrameFirstChild, name)) return found;
  }
  return nullptr;
}

HRESULT D3DXFrameCalculateBoundingSphere(const D3DXFRAME* frameRoot, D3DXVECTOR3* center,
                                         float* radius) {
  if (!frameRoot || !center || !radius) return E_INVALIDARG;
  D3DXMATRIX identity;
  D3DXMatrixIdentity(&identity);
  std::vector<D3DXVECTOR3> positions;
  CollectPositions(frameRoot, identity, &positions);
  *center = D3DXVECTOR3();
  *radius = 0.0f;
  if (positions.empty()) return S_OK;
  // The centre of the points' box; the radius reaches the farthest point.
  D3DXVECTOR3 low = positions[0], high = positions[0];
  for (const D3DXVECTOR3& p : positions) {
    low = {std::fmin(low.x, p.x), std::fmin(low.y, p.y), std::fmin(low.z, p.z)};
    high = {std::fmax(high.x, p.x), std::fmax(high.y, p.y), std::fmax(high.z, p.z)};
  }
  *center = (low + high) * 0.5f;
  for (const D3DXVECTOR3& p : positions) {
    D3DXVECTOR3 d = p - *center;
    *radius = std::fmax(*radius, D3DXVec3Length(&d));
  }
  return S_OK;
}
