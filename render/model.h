// A model: a tree of frames read from a .x file, each frame holding zero or
// more mesh pieces, made and freed through the game's allocator.
#pragma once
#include "platform/d3dx9/d3dx9anim.h"
#include "platform/types.h"

struct ModelFrame : D3DXFRAME {
  // TransformationMatrix × the parent's CombinedMatrix: the frame in model space.
  D3DXMATRIX CombinedMatrix;
};

// One mesh of a frame. It owns every array it points to and one reference of
// each interface; BoneMatrixLinks points into frames of the same model.
struct ModelPiece : D3DXMESHCONTAINER {
  IDirect3DTexture9** Textures;  // one per material, null where none
  ID3DXMesh* SourceMesh;         // skinned pieces: the loaded mesh with normals
  u32 GroupCount;                // bone combinations of the blended mesh
  u32 MaxInfluences;             // BoneId slots per combination
  ID3DXBuffer* BoneCombinations;  // D3DXBONECOMBINATION records
  D3DXMATRIX** BoneMatrixLinks;  // per bone: its frame's CombinedMatrix
  D3DXMATRIX* BoneOffsets;       // per bone: the skin's offset matrix
  u32 FirstSoftwareGroup;        // first combination the device cannot blend
};

// The allocator the platform's hierarchy loader and destroyer call. It holds
// no data: any instance serves.
class MeshHierarchy : public ID3DXAllocateHierarchy {
 public:
  HRESULT CreateFrame(LPCSTR name, D3DXFRAME** newFrame) override;
  HRESULT CreateMeshContainer(LPCSTR name, const D3DXMESHDATA* meshData,
                              const D3DXMATERIAL* materials,
                              const D3DXEFFECTINSTANCE* effectInstances, DWORD numMaterials,
                              const DWORD* adjacency, ID3DXSkinInfo* skinInfo,
                              D3DXMESHCONTAINER** newMeshContainer) override;
  HRESULT DestroyFrame(D3DXFRAME* frame) override;
  HRESULT DestroyMeshContainer(D3DXMESHCONTAINER* meshContainer) override;
};

// A heap copy of `name` (null stays null) in `out`.
HRESULT CopyNewName(LPCSTR name, LPSTR* out);
