// An allocator for the .x loader that keeps copies of what it is handed,
// counts what is alive, and can be told to fail its n-th call.
#pragma once
#include <string>
#include <vector>

#include "platform/d3dx9/d3dx9anim.h"

struct TestMeshContainer : D3DXMESHCONTAINER {
  std::vector<D3DXMATERIAL> materials;
  std::vector<std::string> textureNames;  // "" where a material has none
  std::vector<DWORD> adjacency;
};

class RecordingAllocator : public ID3DXAllocateHierarchy {
 public:
  HRESULT CreateFrame(LPCSTR name, D3DXFRAME** newFrame) override;
  HRESULT CreateMeshContainer(LPCSTR name, const D3DXMESHDATA* meshData,
                              const D3DXMATERIAL* materials,
                              const D3DXEFFECTINSTANCE* effectInstances, DWORD numMaterials,
                              const DWORD* adjacency, ID3DXSkinInfo* skinInfo,
                              D3DXMESHCONTAINER** newMeshContainer) override;
  HRESULT DestroyFrame(D3DXFRAME* frame) override;
  HRESULT DestroyMeshContainer(D3DXMESHCONTAINER* meshContainer) override;

  // "frame Name", "mesh Name", "destroy frame Name", "destroy mesh Name";
  // "-" stands for a null name.
  std::vector<std::string> calls;
  int liveFrames = 0;
  int liveContainers = 0;
  // The create call (counting frames and meshes together, from 0) that fails
  // with E_OUTOFMEMORY; -1 for none.
  int failCreateAt = -1;
  // The create call that throws std::runtime_error instead; -1 for none.
  int throwCreateAt = -1;

 private:
  bool ShouldFail();
  int creates_ = 0;
};
