#include "render/skinned_mesh.h"

u32 SkinningMethod = NonIndexedSkinning;

namespace {

constexpr DWORD UnusedSlot = 0xFFFFFFFF;
constexpr DWORD BlendedMeshOptions = D3DXMESH_MANAGED | D3DXMESHOPT_VERTEXCACHE;

u32 UsedSlots(const D3DXBONECOMBINATION& combination, u32 slots) {
  u32 used = 0;
  for (u32 i = 0; i < slots; ++i) used += combination.BoneId[i] != UnusedSlot;
  return used;
}

}  // namespace

HRESULT BuildSkinnedMesh(IDirect3DDevice9* device, ModelPiece* piece) {
  D3DCAPS9 caps{};
  device->GetDeviceCaps(&caps);
  if (!piece->pSkinInfo) return S_OK;

  if (piece->MeshData.pMesh) piece->MeshData.pMesh->Release();
  piece->MeshData.pMesh = nullptr;
  if (piece->BoneCombinations) piece->BoneCombinations->Release();
  piece->BoneCombinations = nullptr;

  HRESULT hr = piece->pSkinInfo->ConvertToBlendedMesh(
      piece->SourceMesh, BlendedMeshOptions, piece->pAdjacency, nullptr, nullptr, nullptr,
      &piece->MaxInfluences, &piece->GroupCount, &piece->BoneCombinations,
      &piece->MeshData.pMesh);
  if (FAILED(hr)) return hr;

  auto* table = static_cast<const D3DXBONECOMBINATION*>(piece->BoneCombinations->GetBufferPointer());
  piece->FirstSoftwareGroup = 0;
  while (piece->FirstSoftwareGroup < piece->GroupCount &&
         UsedSlots(table[piece->FirstSoftwareGroup], piece->MaxInfluences) <=
             caps.MaxVertexBlendMatrices)
    ++piece->FirstSoftwareGroup;
  if (piece->FirstSoftwareGroup == piece->GroupCount) return hr;

  ID3DXMesh* blended = piece->MeshData.pMesh;
  ID3DXMesh* clone = nullptr;
  HRESULT cloned = blended->CloneMeshFVF(blended->GetOptions() | D3DXMESH_SOFTWAREPROCESSING,
                                         blended->GetFVF(), device, &clone);
  if (FAILED(cloned)) return cloned;
  blended->Release();
  piece->MeshData.pMesh = clone;
  return cloned;
}
