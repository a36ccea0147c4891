// Small meshes built by hand for the mesh and skinning tests.
#pragma once
#include <cstring>
#include <vector>

#include "platform/d3d9/recording_device.h"
#include "platform/d3dx9/d3dx9mesh.h"

struct Vertex {  // D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1
  float x, y, z, nx, ny, nz, u, v;
};
constexpr DWORD VertexFvf = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;

// A mesh of `vertices` and 16-bit faces, each face's attribute given.
inline ID3DXMesh* MakeMesh(IDirect3DDevice9* device, const std::vector<Vertex>& vertices,
                           const std::vector<WORD>& indices, const std::vector<DWORD>& attributes,
                           DWORD options = D3DXMESH_MANAGED) {
  ID3DXMesh* mesh = nullptr;
  if (FAILED(D3DXCreateMeshFVF(static_cast<DWORD>(attributes.size()),
                               static_cast<DWORD>(vertices.size()), options, VertexFvf, device,
                               &mesh)))
    return nullptr;
  void* data;
  mesh->LockVertexBuffer(0, &data);
  std::memcpy(data, vertices.data(), vertices.size() * sizeof(Vertex));
  mesh->UnlockVertexBuffer();
  mesh->LockIndexBuffer(0, &data);
  std::memcpy(data, indices.data(), indices.size() * sizeof(WORD));
  mesh->UnlockIndexBuffer();
  DWORD* attributeData;
  mesh->LockAttributeBuffer(0, &attributeData);
  std::memcpy(attributeData, attributes.data(), attributes.size() * sizeof(DWORD));
  mesh->UnlockAttributeBuffer();
  return mesh;
}

// The device's reference count, read without changing it.
inline ULONG RefCount(IUnknown* object) {
  object->AddRef();
  return object->Release();
}
