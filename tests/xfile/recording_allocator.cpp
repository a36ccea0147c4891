#include "tests/xfile/recording_allocator.h"

#include <cstring>
#include <stdexcept>

namespace {

char* CopyName(LPCSTR name) {
  if (!name) return nullptr;
  char* copy = new char[std::strlen(name) + 1];
  std::strcpy(copy, name);
  return copy;
}

std::string Shown(LPCSTR name) { return name ? name : "-"; }

}  // namespace

bool RecordingAllocator::ShouldFail() {
  if (creates_ == throwCreateAt) throw std::runtime_error("allocator");
  return creates_++ == failCreateAt;
}

HRESULT RecordingAllocator::CreateFrame(LPCSTR name, D3DXFRAME** newFrame) {
  calls.push_back("frame " + Shown(name));
  *newFrame = nullptr;
  if (ShouldFail()) return E_OUTOFMEMORY;
  auto* frame = new D3DXFRAME{};
  frame->Name = CopyName(name);
  D3DXMatrixIdentity(&frame->TransformationMatrix);
  ++liveFrames;
  *newFrame = frame;
  return S_OK;
}

HRESULT RecordingAllocator::CreateMeshContainer(LPCSTR name, const D3DXMESHDATA* meshData,
                                                const D3DXMATERIAL* materials,
                                                const D3DXEFFECTINSTANCE*, DWORD numMaterials,
                                                const DWORD* adjacency, ID3DXSkinInfo* skinInfo,
                                                D3DXMESHCONTAINER** newMeshContainer) {
  calls.push_back("mesh " + Shown(name));
  *newMeshContainer = nullptr;
  if (ShouldFail()) return E_OUTOFMEMORY;
  auto* container = new TestMeshContainer{};
  container->Name = CopyName(name);
  container->MeshData = *meshData;
  container->MeshData.pMesh->AddRef();
  for (DWORD i = 0; i < numMaterials; ++i) {
    container->textureNames.push_back(Shown(materials[i].pTextureFilename));
    if (!materials[i].pTextureFilename) container->textureNames.back().clear();
    container->materials.push_back(materials[i]);
    container->materials.back().pTextureFilename = nullptr;
  }
  container->pMaterials = container->materials.empty() ? nullptr : container->materials.data();
  container->NumMaterials = numMaterials;
  container->adjacency.assign(adjacency, adjacency + 3 * meshData->pMesh->GetNumFaces());
  container->pAdjacency = container->adjacency.data();
  container->pSkinInfo = skinInfo;
  if (skinInfo) skinInfo->AddRef();
  ++liveContainers;
  *newMeshContainer = container;
  return S_OK;
}

HRESULT RecordingAllocator::DestroyFrame(D3DXFRAME* frame) {
  calls.push_back("destroy frame " + Shown(frame->Name));
  delete[] frame->Name;
  delete frame;
  --liveFrames;
  return S_OK;
}

HRESULT RecordingAllocator::DestroyMeshContainer(D3DXMESHCONTAINER* meshContainer) {
  auto* container = static_cast<TestMeshContainer*>(meshContainer);
  calls.push_back("destroy mesh " + Shown(container->Name));
  delete[] container->Name;
  container->MeshData.pMesh->Release();
  if (container->pSkinInfo) container->pSkinInfo->Release();
  delete container;
  --liveContainers;
  return S_OK;
}
