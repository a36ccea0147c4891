#include <new>

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
  for (DWORD i = 0; i < bones; ++i) {
    D3DXFRAME* frame = D3DXFrameFind(root, piece->pSkinInfo->GetBoneName(i));
    if (!frame) return E_FAIL;
    piece->BoneMatrixLinks[i] = &static_cast<ModelFrame*>(frame)->CombinedMatrix;
  }
  return S_OK;
}
