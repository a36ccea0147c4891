// The utility library's mesh: CPU copies of vertices, indices and face
// attributes, handed to device buffers when they are unlocked.
//
// The device's index buffer holds the faces sorted by attribute (stable), so
// that each subset is one contiguous range to draw; the mesh's own face order,
// which Lock, adjacency and face remaps refer to, never changes.
#pragma once
#include <vector>

#include "platform/d3dx9/d3dx9mesh.h"
#include "platform/d3dx9/mesh_fvf.h"

class Mesh final : public ID3DXMesh {
 public:
  // Validates the arguments and makes the device buffers; faces and vertices
  // start zeroed.
  static HRESULT Create(DWORD numFaces, DWORD numVertices, DWORD options, DWORD fvf,
                        IDirect3DDevice9* device, Mesh** mesh);

  HRESULT DrawSubset(DWORD subset) override;
  DWORD GetNumFaces() override { return numFaces_; }
  DWORD GetNumVertices() override { return numVertices_; }
  DWORD GetFVF() override { return fvf_; }
  DWORD GetNumBytesPerVertex() override { return layout_.stride; }
  DWORD GetOptions() override { return options_; }
  HRESULT GetDevice(IDirect3DDevice9** device) override;
  HRESULT CloneMeshFVF(DWORD options, DWORD fvf, IDirect3DDevice9* device,
                       ID3DXMesh** clone) override;
  HRESULT LockVertexBuffer(DWORD flags, void** data) override;
  HRESULT UnlockVertexBuffer() override;
  HRESULT LockIndexBuffer(DWORD flags, void** data) override;
  HRESULT UnlockIndexBuffer() override;
  HRESULT LockAttributeBuffer(DWORD flags, DWORD** data) override;
  HRESULT UnlockAttributeBuffer() override;

 private:
  // A subset's faces in the device's index buffer; `drawable` is false when
  // one of its indices lies past the last vertex.
  struct Subset {
    D3DXATTRIBUTERANGE range;
    bool drawable;
  };
  // One lock count and whether any lock may have written.
  struct LockState {
    int count = 0;
    bool written = false;
  };

  Mesh() = default;
  ~Mesh() override;
  DWORD IndexAt(DWORD position) const;
  HRESULT UploadVertices();
  // Sorts the faces by attribute, rebuilds the subsets and uploads the indices.
  HRESULT UploadFaces();
  static HRESULT Lock(LockState& state, DWORD flags);
  static bool Unlock(LockState& state, bool* upload);

  DWORD numFaces_ = 0;
  DWORD numVertices_ = 0;
  DWORD options_ = 0;
  DWORD fvf_ = 0;
  FvfLayout layout_;
  IDirect3DDevice9* device_ = nullptr;
  IDirect3DVertexBuffer9* vertexBuffer_ = nullptr;
  IDirect3DIndexBuffer9* indexBuffer_ = nullptr;
  std::vector<BYTE> vertices_;
  std::vector<BYTE> indices_;  // 2 or 4 bytes each, three per face
  std::vector<DWORD> attributes_;
  std::vector<Subset> subsets_;  // by increasing attribute
  LockState vertexLock_, indexLock_, attributeLock_;
};
