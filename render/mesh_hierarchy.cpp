#include <cstring>
#include <new>

#include "render/model.h"

namespace {

template <typename T>
void Release(T*& object) {
  if (object) object->Release();
  object = nullptr;
}

template <typename T>
void FreeArray(T*& array) {
  delete[] array;
  array = nullptr;
}

}  // namespace

HRESULT CopyNewName(LPCSTR name, LPSTR* out) {
  *out = nullptr;
  if (!name) return S_OK;
  std::size_t size = std::strlen(name) + 1;
  char* copy = new (std::nothrow) char[size];
  if (!copy) return E_OUTOFMEMORY;
  std::memcpy(copy, name, size);
  *out = copy;
  return S_OK;
}

HRESULT MeshHierarchy::CreateFrame(LPCSTR name, D3DXFRAME** newFrame) {
  *newFrame = nullptr;
  ModelFrame* frame = new (std::nothrow) ModelFrame();
  if (!frame) return E_OUTOFMEMORY;
  HRESULT hr = CopyNewName(name, &frame->Name);
  if (FAILED(hr)) {
    delete frame;
    return hr;
  }
  D3DXMatrixIdentity(&frame->TransformationMatrix);
  D3DXMatrixIdentity(&frame->CombinedMatrix);
  frame->pMeshContainer = nullptr;
  frame->pFrameSibling = nullptr;
  frame->pFrameFirstChild = nullptr;
  *newFrame = frame;
  return S_OK;
}

HRESULT MeshHierarchy::DestroyFrame(D3DXFRAME* frame) {
  FreeArray(frame->Name);
  delete static_cast<ModelFrame*>(frame);
  return S_OK;
}

HRESULT MeshHierarchy::DestroyMeshContainer(D3DXMESHCONTAINER* meshContainer) {
  ModelPiece* piece = static_cast<ModelPiece*>(meshContainer);
  FreeArray(piece->Name);
  FreeArray(piece->pAdjacency);
  FreeArray(piece->pMaterials);
  FreeArray(piece->BoneOffsets);
  if (piece->Textures) {
    for (DWORD i = 0; i < piece->NumMaterials; ++i) Release(piece->Textures[i]);
    FreeArray(piece->Textures);
  }
  FreeArray(piece->BoneMatrixLinks);
  Release(piece->BoneCombinations);
  Release(piece->MeshData.pMesh);
  Release(piece->pSkinInfo);
  Release(piece->SourceMesh);
  delete piece;
  return S_OK;
}
