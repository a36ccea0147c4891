#include "tests/xfile/recording_allocator.h"

#include <cstring>
#include <stdexcept>

namespace {

char* CopyName(LPCSTR name) { return name ? std::strcpy(new char[std::strlen(name) + 1], name) : nullptr; }

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
  *newFrame = new D3DXFRAME{};
  (*newFrame)->Name = CopyName(name);
  D3DXMatrixIdentity(&(*newFrame)->TransformationMatrix);
  ++liveFrames;
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
  container->materials.assign(materials, materials + numMaterials);
  for (D3DXMATERIAL& material : container->materials) {
    container->textureNames.push_back(material.pTextureFilename ? material.pTextureFilename : "");
    material.pTextureFilename = nullptr;  // the loader's copy
  }
  container->NumMaterials = numMaterials;
  container->adjacency.assign(adjacency, adjacency + 3 * meshData->pMesh->GetNumFaces());
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
