#include "platform/d3dx9/mesh.h"
#include "platform/d3dx9/mesh_indices.h"

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
  for (DWORD i = 0; i < numFaces_ * 3; ++i) WriteIndex(made->indices_.data(), wide, i, IndexAt(i));
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
