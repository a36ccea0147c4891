#include "render/draw_model.h"

#include "world/scene.h"

namespace {

constexpr DWORD UnusedSlot = 0xFFFFFFFF;

D3DXMATRIX ObjectWorldMatrix(const GameObject& o) {
  const bool scenery = o.IsScenery();
  const bool goal = o.TypeIs("goal");
  const f32 l = o.length, w = o.width, h = o.height;
  D3DXMATRIX world, m;
  D3DXMatrixIdentity(&world);
  // Centred models turn about the middle of their box; goals and scenery
  // about their own origin.
  if (!scenery && !goal) world = world * *D3DXMatrixTranslation(&m, -l * 0.5f, -h * 0.5f, w * 0.5f);
  world = world * *D3DXMatrixRotationY(&m, o.spin.y);
  world = world * *D3DXMatrixRotationX(&m, o.spin.x);
  world = world * *D3DXMatrixRotationZ(&m, o.spin.z);
  world = world * *D3DXMatrixRotationYawPitchRoll(&m, o.rotation.y, o.rotation.x, o.rotation.z);
  world = world * *D3DXMatrixTranslation(&m, l * 0.5f, h * 0.5f, -w * 0.5f);
  world = world * *D3DXMatrixTranslation(&m, o.position.x, o.position.y, o.position.z);
  const GameObject* board = CurrentScene ? CurrentScene->FindByType("map") : nullptr;
  if (!scenery && board)
    world = world * *D3DXMatrixRotationYawPitchRoll(&m, board->rotation.y, board->rotation.x,
                                             board->rotation.z);
  return world;
}

void SetPieceMaterial(IDirect3DDevice9* device, const ModelPiece& piece, DWORD i) {
  device->SetMaterial(&piece.pMaterials[i].MatD3D);
  device->SetTexture(0, piece.Textures[i]);
}

void DrawUnskinned(IDirect3DDevice9* device, const ModelPiece& piece, const GameObject& object) {
  const D3DXMATRIX world = ObjectWorldMatrix(object);
  device->SetTransform(D3DTS_WORLD, &world);
  for (DWORD i = 0; i < piece.NumMaterials; ++i) {
    SetPieceMaterial(device, piece, i);
    piece.MeshData.pMesh->DrawSubset(i);
  }
}

// The highest used slot: a group blends this many matrices plus one.
u32 BlendCount(const D3DXBONECOMBINATION& group, u32 slots) {
  u32 count = 0;
  for (u32 i = 0; i < slots; ++i)
    if (group.BoneId[i] != UnusedSlot) count = i;
  return count;
}

// The attribute whose material a pass has set, if any yet.
struct PassMaterial {
  bool set = false;
  DWORD attribute = 0;
};

void DrawGroup(IDirect3DDevice9* device, const ModelPiece& piece,
               const D3DXBONECOMBINATION& group, DWORD g, PassMaterial* last) {
  for (u32 i = 0; i < piece.MaxInfluences; ++i) {
    const DWORD bone = group.BoneId[i];
    if (bone == UnusedSlot) continue;
    D3DXMATRIX m;
    D3DXMatrixMultiply(&m, &piece.BoneOffsets[bone], piece.BoneMatrixLinks[bone]);
    device->SetTransform(D3DTS_WORLDMATRIX(i), &m);
  }
  device->SetRenderState(D3DRS_VERTEXBLEND, BlendCount(group, piece.MaxInfluences));
  // An attribute with no material of its own keeps the one set before.
  if ((!last->set || group.AttribId != last->attribute) && group.AttribId < piece.NumMaterials) {
    SetPieceMaterial(device, piece, group.AttribId);
    *last = {true, group.AttribId};
  }
  piece.MeshData.pMesh->DrawSubset(g);
}

void DrawSkinned(IDirect3DDevice9* device, const ModelPiece& piece, DWORD maxBlendMatrices) {
  const auto* groups =
      static_cast<const D3DXBONECOMBINATION*>(piece.BoneCombinations->GetBufferPointer());
  PassMaterial last;
  for (DWORD g = 0; g < piece.GroupCount; ++g)
    if (BlendCount(groups[g], piece.MaxInfluences) + 1 <= maxBlendMatrices)
      DrawGroup(device, piece, groups[g], g, &last);
  // Groups the device cannot blend are blended in software.
  if (piece.FirstSoftwareGroup < piece.GroupCount) {
    device->SetSoftwareVertexProcessing(TRUE);
    last = PassMaterial{};
    for (DWORD g = piece.FirstSoftwareGroup; g < piece.GroupCount; ++g)
      if (BlendCount(groups[g], piece.MaxInfluences) + 1 > maxBlendMatrices)
        DrawGroup(device, piece, groups[g], g, &last);
    device->SetSoftwareVertexProcessing(FALSE);
  }
  device->SetRenderState(D3DRS_VERTEXBLEND, 0);
}

}  // namespace

void DrawModelPiece(IDirect3DDevice9* device, ModelPiece* piece, GameObject* object) {
  D3DCAPS9 caps{};
  device->GetDeviceCaps(&caps);
  if (piece->pSkinInfo) DrawSkinned(device, *piece, caps.MaxVertexBlendMatrices);
  else if (object) DrawUnskinned(device, *piece, *object);
}

void DrawModelTree(IDirect3DDevice9* device, ModelFrame* frame, GameObject* object) {
  for (; frame; frame = static_cast<ModelFrame*>(frame->pFrameFirstChild)) {
    for (D3DXMESHCONTAINER* p = frame->pMeshContainer; p; p = p->pNextMeshContainer)
      DrawModelPiece(device, static_cast<ModelPiece*>(p), object);
    if (frame->pFrameSibling)
      DrawModelTree(device, static_cast<ModelFrame*>(frame->pFrameSibling), object);
  }
}
