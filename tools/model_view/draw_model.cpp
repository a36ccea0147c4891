#include "tools/model_view/draw_model.h"

namespace {

D3DXMATRIX ObjectWorld(const GameObject& o, const GameObject* board) {
  const bool scenery = o.IsScenery();
  const bool goal = o.TypeIs("goal");
  const f32 l = o.length, w = o.width, h = o.height;
  D3DXMATRIX world, m;
  D3DXMatrixIdentity(&world);
  if (!scenery && !goal) world = world * *D3DXMatrixTranslation(&m, -l * 0.5f, -h * 0.5f, w * 0.5f);
  world = world * *D3DXMatrixRotationY(&m, o.spin.y);
  world = world * *D3DXMatrixRotationX(&m, o.spin.x);
  world = world * *D3DXMatrixRotationZ(&m, o.spin.z);
  world = world * *D3DXMatrixRotationYawPitchRoll(&m, o.rotation.y, o.rotation.x, o.rotation.z);
  world = world * *D3DXMatrixTranslation(&m, l * 0.5f, h * 0.5f, -w * 0.5f);
  world = world * *D3DXMatrixTranslation(&m, o.position.x, o.position.y, o.position.z);
  if (!scenery && board)
    world = world * *D3DXMatrixRotationYawPitchRoll(&m, board->rotation.y, board->rotation.x, board->rotation.z);
  return world;
}

void SetMaterial(IDirect3DDevice9* device, const ModelPiece& piece, u32 i) {
  device->SetMaterial(&piece.pMaterials[i].MatD3D);
  device->SetTexture(0, piece.Textures[i]);
}

void DrawSkinned(IDirect3DDevice9* device, const ModelPiece& piece) {
  const auto* groups = static_cast<const D3DXBONECOMBINATION*>(piece.BoneCombinations->GetBufferPointer());
  for (u32 g = 0; g < piece.GroupCount; ++g) {
    u32 blend = 0;
    for (u32 i = 0; i < piece.MaxInfluences; ++i) {
      const DWORD bone = groups[g].BoneId[i];
      if (bone == 0xFFFFFFFF) continue;
      blend = i;
      D3DXMATRIX m;
      D3DXMatrixMultiply(&m, &piece.BoneOffsets[bone], piece.BoneMatrixLinks[bone]);
      device->SetTransform(D3DTS_WORLDMATRIX(i), &m);
    }
    device->SetRenderState(D3DRS_VERTEXBLEND, blend);
    SetMaterial(device, piece, groups[g].AttribId);
    piece.MeshData.pMesh->DrawSubset(g);
  }
  device->SetRenderState(D3DRS_VERTEXBLEND, 0);
}

void DrawFrame(IDirect3DDevice9* device, ModelFrame* frame, const D3DXMATRIX& world) {
  for (; frame; frame = static_cast<ModelFrame*>(frame->pFrameFirstChild)) {
    for (auto* p = frame->pMeshContainer; p; p = p->pNextMeshContainer) {
      const auto& piece = *static_cast<const ModelPiece*>(p);
      if (piece.pSkinInfo) {
        DrawSkinned(device, piece);
        continue;
      }
      device->SetTransform(D3DTS_WORLD, &world);
      for (u32 i = 0; i < piece.NumMaterials; ++i) {
        SetMaterial(device, piece, i);
        piece.MeshData.pMesh->DrawSubset(i);
      }
    }
    if (frame->pFrameSibling) DrawFrame(device, static_cast<ModelFrame*>(frame->pFrameSibling), world);
  }
}

}  // namespace

void DrawObjectModel(IDirect3DDevice9* device, ModelFrame* frame, const GameObject& object,
                     const GameObject* board) {
  DrawFrame(device, frame, ObjectWorld(object, board));
}
