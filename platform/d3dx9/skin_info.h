// Skin information: named bones, their offset matrices and the weights with
// which they move a mesh's vertices.
#pragma once
#include <string>
#include <vector>

#include "platform/d3dx9/d3dx9mesh.h"

class SkinInfo final : public ID3DXSkinInfo {
 public:
  SkinInfo(DWORD numVertices, DWORD numBones);

  DWORD GetNumBones() override { return static_cast<DWORD>(bones_.size()); }
  LPCSTR GetBoneName(DWORD bone) override;
  HRESULT SetBoneName(DWORD bone, LPCSTR name) override;
  D3DXMATRIX* GetBoneOffsetMatrix(DWORD bone) override;
  HRESULT SetBoneOffsetMatrix(DWORD bone, const D3DXMATRIX* offset) override;
  DWORD GetNumBoneInfluences(DWORD bone) override;
  HRESULT GetBoneInfluence(DWORD bone, DWORD* vertices, float* weights) override;
  HRESULT SetBoneInfluence(DWORD bone, DWORD count, const DWORD* vertices,
                           const float* weights) override;
  HRESULT ConvertToBlendedMesh(ID3DXMesh* mesh, DWORD options, const DWORD* adjacencyIn,
                               DWORD* adjacencyOut, DWORD* faceRemap, ID3DXBuffer** vertexRemap,
                               DWORD* maxFaceInfluences, DWORD* groupCount,
                               ID3DXBuffer** boneCombinations, ID3DXMesh** blendedMesh) override;

 private:
  struct Bone {
    std::string name;
    bool named = false;
    D3DXMATRIX offset;
    std::vector<DWORD> vertices;
    std::vector<float> weights;
  };

  ~SkinInfo() override = default;

  DWORD numVertices_;
  std::vector<Bone> bones_;
};
