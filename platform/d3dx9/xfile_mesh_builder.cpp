#include "platform/d3dx9/xfile_mesh_builder.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "platform/d3dx9/mesh_indices.h"

namespace {

constexpr DWORD kNone = 0xFFFFFFFF;
// No real model blends a vertex from more bones; the bound keeps the copies
// of a split vertex's weights proportional to the file.
constexpr DWORD kMaxBonesPerVertex = 64;

bool Same(const D3DXVECTOR3& a, const D3DXVECTOR3& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }

// The mesh's vertices: which position (and normal) each one takes, and the
// vertex of every face corner.
struct VertexLayout {
  std::vector<DWORD> position;  // vertex -> position index
  std::vector<DWORD> normal;    // vertex -> normal index, empty without normals
  std::vector<DWORD> corners;   // face corner -> vertex
};

bool CheckFaces(const XFileMesh& m) {
  if (m.positions.empty() || m.faceSizes.empty()) return false;
  for (DWORD size : m.faceSizes)
    if (size < 3) return false;
  for (DWORD corner : m.faceCorners)
    if (corner >= m.positions.size()) return false;
  if (m.hasNormals) {
    if (m.normalFaceSizes != m.faceSizes) return false;
    for (DWORD n : m.normalFaceCorners)
      if (n >= m.normals.size()) return false;
  }
  return !m.hasTextureCoords || m.textureCoords.size() == m.positions.size();
}

// Vertices keep the positions' numbering; a position met with a second,
// different normal gets an extra vertex at the end.
VertexLayout LayOutVertices(const XFileMesh& m) {
  VertexLayout layout;
  DWORD positions = static_cast<DWORD>(m.positions.size());
  layout.position.resize(positions);
  for (DWORD i = 0; i < positions; ++i) layout.position[i] = i;
  if (!m.hasNormals) {
    layout.corners = m.faceCorners;
    return layout;
  }
  layout.normal.assign(positions, kNone);
  layout.corners.resize(m.faceCorners.size());
  std::unordered_map<std::uint64_t, DWORD> extra;
  for (std::size_t c = 0; c < m.faceCorners.size(); ++c) {
    DWORD p = m.faceCorners[c], n = m.normalFaceCorners[c];
    if (layout.normal[p] == kNone) layout.normal[p] = n;
    if (Same(m.normals[layout.normal[p]], m.normals[n])) {
      layout.corners[c] = p;
      continue;
    }
    auto [slot, added] = extra.try_emplace(std::uint64_t(p) << 32 | n, DWORD(layout.position.size()));
    if (added) {
      layout.position.push_back(p);
      layout.normal.push_back(n);
    }
    layout.corners[c] = slot->second;
  }
  return layout;
}

DWORD FaceMaterial(const XFileMesh& m, std::size_t face) {
  if (m.faceMaterials.empty()) return 0;
  return face < m.faceMaterials.size() ? m.faceMaterials[face] : m.faceMaterials.back();
}

HRESULT FillMesh(const XFileMesh& m, const VertexLayout& layout, ID3DXMesh* mesh) {
  DWORD stride = mesh->GetNumBytesPerVertex();
  BYTE* vertices = nullptr;
  HRESULT hr = mesh->LockVertexBuffer(0, reinterpret_cast<void**>(&vertices));
  if (FAILED(hr)) return hr;
  for (std::size_t v = 0; v < layout.position.size(); ++v) {
    BYTE* out = vertices + v * stride;
    std::memcpy(out, &m.positions[layout.position[v]], 12);
    out += 12;
    if (m.hasNormals) {
      D3DXVECTOR3 normal = layout.normal[v] == kNone ? D3DXVECTOR3() : m.normals[layout.normal[v]];
      std::memcpy(out, &normal, 12);
      out += 12;
    }
    if (m.hasTextureCoords) std::memcpy(out, &m.textureCoords[layout.position[v]], 8);
  }
  mesh->UnlockVertexBuffer();

  void* indices = nullptr;
  hr = mesh->LockIndexBuffer(0, &indices);
  if (FAILED(hr)) return hr;
  DWORD* attributes = nullptr;
  hr = mesh->LockAttributeBuffer(0, &attributes);
  if (FAILED(hr)) {
    mesh->UnlockIndexBuffer();
    return hr;
  }
  bool wide = mesh->GetOptions() & D3DXMESH_32BIT;
  std::size_t first = 0, triangle = 0;
  for (std::size_t face = 0; face < m.faceSizes.size(); ++face) {
    for (DWORD i = 1; i + 1 < m.faceSizes[face]; ++i, ++triangle) {
      DWORD corners[3] = {layout.corners[first], layout.corners[first + i], layout.corners[first + i + 1]};
      for (int k = 0; k < 3; ++k) WriteIndex(indices, wide, triangle * 3 + k, corners[k]);
      attributes[triangle] = FaceMaterial(m, face);
    }
    first += m.faceSizes[face];
  }
  mesh->UnlockAttributeBuffer();
  mesh->UnlockIndexBuffer();
  return S_OK;
}

HRESULT BuildSkin(const XFileMesh& m, const VertexLayout& layout, DWORD fvf, ID3DXSkinInfo** skin) {
  DWORD positions = static_cast<DWORD>(m.positions.size());
  // The extra vertices of each position, found by position.
  std::vector<std::pair<DWORD, DWORD>> copies;
  for (DWORD v = positions; v < layout.position.size(); ++v) copies.push_back({layout.position[v], v});
  std::sort(copies.begin(), copies.end());

  DWORD bones = static_cast<DWORD>(m.skinWeights.size());
  HRESULT hr = D3DXCreateSkinInfoFVF(static_cast<DWORD>(layout.position.size()), fvf, bones, skin);
  if (FAILED(hr)) return hr;
  std::vector<DWORD> lastBone(positions, kNone), boneCount(positions, 0);
  for (DWORD b = 0; b < bones; ++b) {
    const XFileSkinWeights& weights = m.skinWeights[b];
    std::vector<DWORD> vertices;
    std::vector<float> amounts;
    for (std::size_t i = 0; i < weights.vertices.size(); ++i) {
      DWORD p = weights.vertices[i];
      if (p >= positions || lastBone[p] == b || ++boneCount[p] > kMaxBonesPerVertex) return E_FAIL;
      lastBone[p] = b;
      vertices.push_back(p);
      amounts.push_back(weights.weights[i]);
      auto range = std::equal_range(copies.begin(), copies.end(), std::pair<DWORD, DWORD>(p, 0),
                                    [](auto a, auto c) { return a.first < c.first; });
      for (auto it = range.first; it != range.second; ++it) {
        vertices.push_back(it->second);
        amounts.push_back(weights.weights[i]);
      }
    }
    if (FAILED(hr = (*skin)->SetBoneName(b, weights.boneName.c_str())) ||
        FAILED(hr = (*skin)->SetBoneOffsetMatrix(b, &weights.offset)) ||
        FAILED(hr = (*skin)->SetBoneInfluence(b, static_cast<DWORD>(vertices.size()), vertices.data(),
                                              amounts.data())))
      return hr;
  }
  return S_OK;
}

}  // namespace

XFileMeshPieces::~XFileMeshPieces() {
  if (mesh) mesh->Release();
  if (skinInfo) skinInfo->Release();
}

HRESULT BuildXFileMesh(const XFileMesh& m, DWORD options, IDirect3DDevice9* device,
                       XFileMeshPieces* pieces) {
  if (!CheckFaces(m)) return E_FAIL;
  if (m.materials.size() < m.materialCount) return E_FAIL;
  for (DWORD material : m.faceMaterials)
    if (material >= std::max<DWORD>(m.materialCount, 1)) return E_FAIL;
  VertexLayout layout = LayOutVertices(m);
  DWORD vertices = static_cast<DWORD>(layout.position.size()), triangles = 0;
  for (DWORD size : m.faceSizes) triangles += size - 2;

  DWORD fvf = D3DFVF_XYZ | (m.hasNormals ? D3DFVF_NORMAL : 0) | (m.hasTextureCoords ? D3DFVF_TEX1 : 0);
  if (vertices > 0xFFFF) options |= D3DXMESH_32BIT;
  HRESULT hr = D3DXCreateMeshFVF(triangles, vertices, options, fvf, device, &pieces->mesh);
  if (FAILED(hr)) return hr;
  if (FAILED(hr = FillMesh(m, layout, pieces->mesh))) return hr;

  for (DWORD i = 0; i < m.materialCount; ++i) {
    const XFileMaterial& x = m.materials[i];
    D3DXMATERIAL material{};
    material.MatD3D.Diffuse = x.faceColor;  // Ambient stays black, as the file gives none
    material.MatD3D.Specular = x.specularColor;
    material.MatD3D.Emissive = x.emissiveColor;
    material.MatD3D.Power = x.power;
    if (!x.textureFilename.empty()) material.pTextureFilename = const_cast<char*>(x.textureFilename.c_str());
    pieces->materials.push_back(material);
  }
  // Neighbouring faces are not worked out: every edge reads as open.
  pieces->adjacency.assign(std::size_t(triangles) * 3, kNone);
  if (!m.skinWeights.empty()) return BuildSkin(m, layout, fvf, &pieces->skinInfo);
  return S_OK;
}
