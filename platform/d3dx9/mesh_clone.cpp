#include <cstring>

#include "platform/d3dx9/mesh.h"

HRESULT Mesh::CloneMeshFVF(DWORD options, DWORD fvf, IDirect3DDevice9* device,
                           ID3DXMesh** clone) {
  if (!clone) return D3DERR_INVALIDCALL;
  *clone = nullptr;
  Mesh* made = nullptr;
  HRESULT hr = Create(numFaces_, numVertices_, options, fvf, device, &made);
  if (FAILED(hr)) return hr;

  for (DWORD v = 0; v < numVertices_; ++v)
    CopySharedElements(layout_, &vertices_[size_t{v} * layout_.stride], made->layout_,
                       &made->vertices_[size_t{v} * made->layout_.stride]);
  bool wide = made->options_ & D3DXMESH_32BIT;
  for (DWORD i = 0; i < numFaces_ * 3; ++i) {
    DWORD index = IndexAt(i);
    if (wide) {
      std::memcpy(&made->indices_[size_t{i} * 4], &index, 4);
    } else {
      WORD narrow = static_cast<WORD>(index);
      std::memcpy(&made->indices_[size_t{i} * 2], &narrow, 2);
    }
  }
  made->attributes_ = attributes_;
  hr = made->UploadVertices();
  if (SUCCEEDED(hr)) hr = made->UploadFaces();
  if (FAILED(hr)) {
    made->Release();
    return hr;
  }
  *clone = made;
  return S_OK;
}
