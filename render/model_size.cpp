#include "render/model_size.h"

#include <set>

namespace {

std::size_t MeshBytes(ID3DXMesh* mesh) {
  if (!mesh) return 0;
  const std::size_t indexBytes = (mesh->GetOptions() & D3DXMESH_32BIT) ? 4 : 2;
  return std::size_t{mesh->GetNumVertices()} * mesh->GetNumBytesPerVertex() +
         std::size_t{mesh->GetNumFaces()} * 3 * indexBytes;
}

std::size_t TextureBytes(IDirect3DTexture9* texture) {
  D3DSURFACE_DESC level{};
  if (FAILED(texture->GetLevelDesc(0, &level))) return 0;
  return std::size_t{level.Width} * level.Height * 4;
}

std::size_t FrameBytes(const D3DXFRAME* frame, std::set<IDirect3DTexture9*>& textures) {
  std::size_t bytes = 0;
  for (; frame; frame = frame->pFrameSibling) {
    for (const D3DXMESHCONTAINER* container = frame->pMeshContainer; container;
         container = container->pNextMeshContainer) {
      const auto* piece = static_cast<const ModelPiece*>(container);
      bytes += MeshBytes(piece->MeshData.pMesh) + MeshBytes(piece->SourceMesh);
      for (DWORD i = 0; piece->Textures && i < piece->NumMaterials; ++i)
        if (piece->Textures[i] && textures.insert(piece->Textures[i]).second)
          bytes += TextureBytes(piece->Textures[i]);
    }
    bytes += FrameBytes(frame->pFrameFirstChild, textures);
  }
  return bytes;
}

}  // namespace

std::size_t ModelBytes(const ModelFrame* root) {
  std::set<IDirect3DTexture9*> textures;
  return FrameBytes(root, textures);
}
