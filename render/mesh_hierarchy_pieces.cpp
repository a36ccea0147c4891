#include <algorithm>
#include <new>

#include "platform/d3dx9/d3dx9tex.h"
#include "platform/dxut/media_search.h"
#include "render/model.h"
#include "render/skinned_mesh.h"

namespace {

// The texture of a material's file name, looked for through the media search
// from the current folder; null when it cannot be made.
IDirect3DTexture9* LoadMaterialTexture(IDirect3DDevice9* device, const char* file) {
  WCHAR name[MAX_PATH] = {};
  // A name too long for the buffer names no file we could open.
  if (MultiByteToWideChar(CP_ACP, 0, file, -1, name, MAX_PATH) == 0) return nullptr;
  name[MAX_PATH - 1] = 0;
  WCHAR path[MAX_PATH] = {};
  DXUTFindDXSDKMediaFileCch(path, MAX_PATH, name);
  IDirect3DTexture9* texture = nullptr;
  if (FAILED(D3DXCreateTextureFromFileW(device, path, &texture))) return nullptr;
  return texture;
}

// Gives the piece its materials, one at least, and their textures.
void SetMaterials(ModelPiece* piece, IDirect3DDevice9* device, const D3DXMATERIAL* materials,
                  DWORD materialCount) {
  if (materialCount == 0) {
    D3DXMATERIAL& only = piece->pMaterials[0];
    only = {};
    only.MatD3D.Diffuse = {0.5f, 0.5f, 0.5f, 0.0f};
    only.MatD3D.Specular = only.MatD3D.Diffuse;
    return;
  }
  std::copy(materials, materials + materialCount, piece->pMaterials);
  for (DWORD i = 0; i < materialCount; ++i) {
    if (!piece->pMaterials[i].pTextureFilename) continue;
    piece->Textures[i] = LoadMaterialTexture(device, piece->pMaterials[i].pTextureFilename);
    piece->pMaterials[i].pTextureFilename = nullptr;
  }
}

// The piece's drawn mesh: the loaded one, or a copy with computed normals.
HRESULT SetMeshWithNormals(ModelPiece* piece, ID3DXMesh* mesh, IDirect3DDevice9* device) {
  if (mesh->GetFVF() & D3DFVF_NORMAL) {
    piece->MeshData.pMesh = mesh;
    mesh->AddRef();
    return S_OK;
  }
  HRESULT hr = mesh->CloneMeshFVF(mesh->GetOptions(), mesh->GetFVF() | D3DFVF_NORMAL, device,
                                  &piece->MeshData.pMesh);
  if (FAILED(hr)) return hr;
  D3DXComputeNormals(piece->MeshData.pMesh, nullptr);
  return hr;
}

HRESULT SetSkin(ModelPiece* piece, ID3DXSkinInfo* skinInfo, IDirect3DDevice9* device) {
  piece->pSkinInfo = skinInfo;
  skinInfo->AddRef();
  piece->SourceMesh = piece->MeshData.pMesh;
  piece->SourceMesh->AddRef();
  DWORD bones = skinInfo->GetNumBones();
  piece->BoneOffsets = new (std::nothrow) D3DXMATRIX[bones];
  if (!piece->BoneOffsets) return E_OUTOFMEMORY;
  for (DWORD i = 0; i < bones; ++i) piece->BoneOffsets[i] = *skinInfo->GetBoneOffsetMatrix(i);
  return BuildSkinnedMesh(device, piece);
}

// Everything after the piece and its name exist; a failure leaves what was
// made in the piece for DestroyMeshContainer.
HRESULT FillPiece(ModelPiece* piece, ID3DXMesh* mesh, IDirect3DDevice9* device,
                  const D3DXMATERIAL* materials, DWORD materialCount, const DWORD* adjacency,
                  ID3DXSkinInfo* skinInfo) {
  DWORD faces = mesh->GetNumFaces();
  piece->MeshData.Type = D3DXMESHTYPE_MESH;
  HRESULT hr = SetMeshWithNormals(piece, mesh, device);
  if (FAILED(hr)) return hr;

  DWORD count = materialCount > 0 ? materialCount : 1;
  piece->NumMaterials = count;
  piece->pMaterials = new (std::nothrow) D3DXMATERIAL[count];
  piece->Textures = new (std::nothrow) IDirect3DTexture9*[count]();
  piece->pAdjacency = new (std::nothrow) DWORD[std::size_t{faces} * 3];
  if (!piece->pMaterials || !piece->Textures || !piece->pAdjacency) return E_OUTOFMEMORY;
  if (adjacency)
    std::copy(adjacency, adjacency + std::size_t{faces} * 3, piece->pAdjacency);
  else
    std::fill(piece->pAdjacency, piece->pAdjacency + std::size_t{faces} * 3, 0xFFFFFFFF);
  SetMaterials(piece, device, materials, materialCount);

  if (skinInfo) hr = SetSkin(piece, skinInfo, device);
  return hr;
}

}  // namespace

HRESULT MeshHierarchy::CreateMeshContainer(LPCSTR name, const D3DXMESHDATA* meshData,
                                           const D3DXMATERIAL* materials,
                                           const D3DXEFFECTINSTANCE* /*effectInstances*/,
                                           DWORD numMaterials, const DWORD* adjacency,
                                           ID3DXSkinInfo* skinInfo,
                                           D3DXMESHCONTAINER** newMeshContainer) {
  *newMeshContainer = nullptr;
  if (meshData->Type != D3DXMESHTYPE_MESH) return E_FAIL;
  ID3DXMesh* mesh = meshData->pMesh;
  if (mesh->GetFVF() == 0) return E_FAIL;
  ModelPiece* piece = new (std::nothrow) ModelPiece();
  if (!piece) return E_OUTOFMEMORY;

  IDirect3DDevice9* device = nullptr;
  HRESULT hr = CopyNewName(name, &piece->Name);
  if (SUCCEEDED(hr)) hr = mesh->GetDevice(&device);
  if (SUCCEEDED(hr))
    hr = FillPiece(piece, mesh, device, materials, numMaterials, adjacency, skinInfo);
  if (device) device->Release();
  if (FAILED(hr)) {
    DestroyMeshContainer(piece);
    return hr;
  }
  *newMeshContainer = piece;
  return hr;
}
