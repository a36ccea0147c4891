#include "platform/d3dx9/skin_info.h"

#include <new>

SkinInfo::SkinInfo(DWORD numVertices, DWORD numBones)
    : numVertices_(numVertices), bones_(numBones) {
  for (Bone& bone : bones_) D3DXMatrixIdentity(&bone.offset);
}

HRESULT D3DXCreateSkinInfoFVF(DWORD numVertices, DWORD /*fvf*/, DWORD numBones,
                              ID3DXSkinInfo** skinInfo) {
  if (!skinInfo) return D3DERR_INVALIDCALL;
  *skinInfo = nullptr;
  try {
    *skinInfo = new SkinInfo(numVertices, numBones);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

LPCSTR SkinInfo::GetBoneName(DWORD bone) {
  if (bone >= bones_.size() || !bones_[bone].named) return nullptr;
  return bones_[bone].name.c_str();
}

HRESULT SkinInfo::SetBoneName(DWORD bone, LPCSTR name) {
  if (bone >= bones_.size() || !name) return D3DERR_INVALIDCALL;
  try {
    bones_[bone].name = name;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  bones_[bone].named = true;
  return S_OK;
}

D3DXMATRIX* SkinInfo::GetBoneOffsetMatrix(DWORD bone) {
  return bone < bones_.size() ? &bones_[bone].offset : nullptr;
}

HRESULT SkinInfo::SetBoneOffsetMatrix(DWORD bone, const D3DXMATRIX* offset) {
  if (bone >= bones_.size() || !offset) return D3DERR_INVALIDCALL;
  bones_[bone].offset = *offset;
  return S_OK;
}

DWORD SkinInfo::GetNumBoneInfluences(DWORD bone) {
  return bone < bones_.size() ? static_cast<DWORD>(bones_[bone].vertices.size()) : 0;
}

HRESULT SkinInfo::GetBoneInfluence(DWORD bone, DWORD* vertices, float* weights) {
  if (bone >= bones_.size() || !vertices || !weights) return D3DERR_INVALIDCALL;
  const Bone& b = bones_[bone];
  for (size_t i = 0; i < b.vertices.size(); ++i) {
    vertices[i] = b.vertices[i];
    weights[i] = b.weights[i];
  }
  return S_OK;
}

HRESULT SkinInfo::SetBoneInfluence(DWORD bone, DWORD count, const DWORD* vertices,
                                   const float* weights) {
  if (bone >= bones_.size() || (count > 0 && (!vertices || !weights)))
    return D3DERR_INVALIDCALL;
  for (DWORD i = 0; i < count; ++i)
    if (vertices[i] >= numVertices_) return D3DERR_INVALIDCALL;
  try {
    bones_[bone].vertices.assign(vertices, vertices + count);
    bones_[bone].weights.assign(weights, weights + count);
  } catch (const std::bad_alloc&) {
    bones_[bone].vertices.clear();
    bones_[bone].weights.clear();
    return E_OUTOFMEMORY;
  }
  return S_OK;
}
