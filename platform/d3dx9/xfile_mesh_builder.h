// Turns a mesh as read from a .x file into what a mesh container is made
// from: the mesh itself, its materials, adjacency and skin information.
#pragma once
#include <vector>

#include "platform/d3dx9/xfile_model.h"

struct XFileMeshPieces {
  XFileMeshPieces() = default;
  XFileMeshPieces(const XFileMeshPieces&) = delete;
  XFileMeshPieces& operator=(const XFileMeshPieces&) = delete;
  ~XFileMeshPieces();  // gives back the references to mesh and skinInfo

  ID3DXMesh* mesh = nullptr;
  ID3DXSkinInfo* skinInfo = nullptr;  // null without SkinWeights
  std::vector<D3DXMATERIAL> materials;  // texture names point into the XFileMesh
  std::vector<DWORD> adjacency;
};

// Polygons become triangle fans; a position that meets different normals in
// different faces becomes one vertex per normal (skin weights follow it).
// E_FAIL for inconsistent data (indices out of range, counts that differ).
HRESULT BuildXFileMesh(const XFileMesh& source, DWORD options, IDirect3DDevice9* device,
                       XFileMeshPieces* pieces);
