#include <new>
#include <string_view>
#include <unordered_map>

#include "render/model_loading.h"

HRESULT LinkBoneMatrices(ModelFrame* frame, ModelFrame* root) {
  for (D3DXMESHCONTAINER* piece = frame->pMeshContainer; piece; piece = piece->pNextMeshContainer) {
    HRESULT hr = LinkBoneMatricesOfMesh(static_cast<ModelPiece*>(piece), root);
    if (FAILED(hr)) return hr;
  }
  if (frame->pFrameSibling) {
    HRESULT hr = LinkBoneMatrices(static_cast<ModelFrame*>(frame->pFrameSibling), root);
    if (FAILED(hr)) return hr;
  }
  if (frame->pFrameFirstChild) {
    HRESULT hr = LinkBoneMatrices(static_cast<ModelFrame*>(frame->pFrameFirstChild), root);
    if (FAILED(hr)) return hr;
  }
  return S_OK;
}

HRESULT LinkBoneMatricesOfMesh(ModelPiece* piece, ModelFrame* root) {
  if (!piece->pSkinInfo) return S_OK;
  DWORD bones = piece->pSkinInfo->GetNumBones();
  // Linking again replaces the links instead of losing the old array.
  delete[] piece->BoneMatrixLinks;
  piece->BoneMatrixLinks = new (std::nothrow) D3DXMATRIX*[bones]();
  if (!piece->BoneMatrixLinks) return E_OUTOFMEMORY;
  // Many bones may name one frame; each name is searched for once, so that
  // linking stays linear in the bones however many frames the model has.
  std::unordered_map<std::string_view, D3DXMATRIX*> found;
  for (DWORD i = 0; i < bones; ++i) {
    LPCSTR name = piece->pSkinInfo->GetBoneName(i);
    auto known = name ? found.find(name) : found.end();
    if (known != found.end()) {
      piece->BoneMatrixLinks[i] = known->second;
      continue;
    }
    D3DXFRAME* frame = D3DXFrameFind(root, name);
    if (!frame) return E_FAIL;
    piece->BoneMatrixLinks[i] = &static_cast<ModelFrame*>(frame)->CombinedMatrix;
    found.emplace(name, piece->BoneMatrixLinks[i]);
  }
  return S_OK;
}
