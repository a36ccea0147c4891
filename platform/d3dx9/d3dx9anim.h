// Frame hierarchies loaded from .x files through a caller's allocator, and
// the animation controller that moves their frames.
#pragma once
#include "platform/d3dx9/d3dx9mesh.h"

struct D3DXMESHCONTAINER;

struct D3DXFRAME {
  LPSTR Name;
  D3DXMATRIX TransformationMatrix;
  D3DXMESHCONTAINER* pMeshContainer;
  D3DXFRAME* pFrameSibling;
  D3DXFRAME* pFrameFirstChild;
};

struct D3DXMESHCONTAINER {
  LPSTR Name;
  D3DXMESHDATA MeshData;
  D3DXMATERIAL* pMaterials;
  D3DXEFFECTINSTANCE* pEffects;
  DWORD NumMaterials;
  DWORD* pAdjacency;
  ID3DXSkinInfo* pSkinInfo;
  D3DXMESHCONTAINER* pNextMeshContainer;
};

// Made by the caller of the loader: it decides what records frames and mesh
// containers really are (they may extend the structs above).
class ID3DXAllocateHierarchy {
 public:
  virtual HRESULT CreateFrame(LPCSTR name, D3DXFRAME** newFrame) = 0;
  // The loader keeps its own references to meshData's mesh and skinInfo and
  // releases them after the call; materials and adjacency stay the loader's.
  virtual HRESULT CreateMeshContainer(LPCSTR name, const D3DXMESHDATA* meshData,
                                      const D3DXMATERIAL* materials,
                                      const D3DXEFFECTINSTANCE* effectInstances,
                                      DWORD numMaterials, const DWORD* adjacency,
                                      ID3DXSkinInfo* skinInfo,
                                      D3DXMESHCONTAINER** newMeshContainer) = 0;
  virtual HRESULT DestroyFrame(D3DXFRAME* frame) = 0;
  virtual HRESULT DestroyMeshContainer(D3DXMESHCONTAINER* meshContainer) = 0;

 protected:
  ~ID3DXAllocateHierarchy() = default;
};

class ID3DXLoadUserData;
class ID3DXAnimationCallbackHandler;

// Plays the file's first animation set, looping, and writes the animated
// frames' TransformationMatrix.
class ID3DXAnimationController : public IUnknown {
 public:
  virtual HRESULT AdvanceTime(double seconds, ID3DXAnimationCallbackHandler* handler) = 0;
};

// Reads a text .x file ("xof 0303txt 0032"). Frames and meshes are made by
// `allocator`; meshes live on `device`. `animationController` is null when
// the file has no animation. A failure leaves nothing behind.
HRESULT D3DXLoadMeshHierarchyFromXW(LPCWSTR filename, DWORD meshOptions, IDirect3DDevice9* device,
                                    ID3DXAllocateHierarchy* allocator,
                                    ID3DXLoadUserData* userDataLoader, D3DXFRAME** frameRoot,
                                    ID3DXAnimationController** animationController);
// Frees a whole tree through `allocator`.
HRESULT D3DXFrameDestroy(D3DXFRAME* frameRoot, ID3DXAllocateHierarchy* allocator);
// The first frame of the tree with that name, or null.
D3DXFRAME* D3DXFrameFind(const D3DXFRAME* frameRoot, LPCSTR name);
HRESULT D3DXFrameCalculateBoundingSphere(const D3DXFRAME* frameRoot, D3DXVECTOR3* center,
                                         float* radius);
