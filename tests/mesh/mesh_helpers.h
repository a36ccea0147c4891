// Small meshes built by hand for the mesh and skinning tests.
#pragma once
#include <array>
#include <cstring>
#include <vector>

#include "platform/d3d9/recording_device.h"
#include "platform/d3dx9/d3dx9mesh.h"

struct Vertex {  // D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1
  float x, y, z, nx, ny, nz, u, v;
};
constexpr DWORD VertexFvf = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;

// A managed mesh of `vertices` and 16-bit faces, each face's attribute given.
inline ID3DXMesh* MakeMesh(IDirect3DDevice9* device, const std::vector<Vertex>& vertices,
                           const std::vector<WORD>& indices, const std::vector<DWORD>& attributes) {
  ID3DXMesh* mesh = nullptr;
  if (FAILED(D3DXCreateMeshFVF(DWORD(attributes.size()), DWORD(vertices.size()), D3DXMESH_MANAGED,
                               VertexFvf, device, &mesh)))
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

// A copy of the mesh's vertices (as T), or of its indices (T of WORD or DWORD).
template <typename T>
std::vector<T> Contents(ID3DXMesh* mesh, bool indices) {
  std::vector<T> out(indices ? mesh->GetNumFaces() * 3 : mesh->GetNumVertices());
  void* data;
  indices ? mesh->LockIndexBuffer(D3DLOCK_READONLY, &data)
          : mesh->LockVertexBuffer(D3DLOCK_READONLY, &data);
  std::memcpy(out.data(), data, out.size() * sizeof(T));
  indices ? mesh->UnlockIndexBuffer() : mesh->UnlockVertexBuffer();
  return out;
}

// The device's reference count, read without changing it.
inline ULONG RefCount(IUnknown* object) {
  object->AddRef();
  return object->Release();
}

using Triangle = std::array<DWORD, 3>;

// The triangles the device was asked to draw, as vertex numbers, in the order
// drawn.
inline std::vector<Triangle> DrawnTriangles(const RecordingDevice& device) {
  std::vector<Triangle> drawn;
  for (const RecordedCall& draw : device.CallsOf("DrawIndexedPrimitive")) {
    auto* ib = static_cast<const RecordingIndexBuffer*>(draw.indices);
    bool wide = ib->format == D3DFMT_INDEX32;
    for (std::int64_t t = 0; t < draw.args[5]; ++t) {
      Triangle triangle;
      for (int k = 0; k < 3; ++k) {
        std::size_t at = std::size_t(draw.args[4] + 3 * t + k);
        DWORD index = 0;
        std::memcpy(&index, ib->bytes.data() + at * (wide ? 4 : 2), wide ? 4 : 2);
        triangle[k] = DWORD(draw.args[1]) + index;
      }
      drawn.push_back(triangle);
    }
  }
  return drawn;
}
