// Mesh pieces made by the allocator, driven as the hierarchy loader drives
// it, their blended meshes, and their bone links on a tree built by hand.
#include "render/model_loading.h"
#include "render/skinned_mesh.h"
#include "tests/render/render_fixture.h"

namespace {

class PieceTest : public RenderTest {
 protected:
  void TearDown() override {
    if (piece) allocator.DestroyMeshContainer(piece);
    RenderTest::TearDown();
  }

  HRESULT Create(ID3DXMesh* mesh, const std::vector<D3DXMATERIAL>& materials, ID3DXSkinInfo* skin = nullptr) {
    D3DXMESHDATA data{D3DXMESHTYPE_MESH, mesh};
    std::vector<DWORD> adjacency(mesh->GetNumFaces() * 3, 0xFFFFFFFF);
    D3DXMESHCONTAINER* made = nullptr;
    HRESULT hr = allocator.CreateMeshContainer("Piece", &data, materials.data(), nullptr, DWORD(materials.size()),
                                               adjacency.data(), skin, &made);
    piece = static_cast<ModelPiece*>(made);
    return hr;
  }

  // A piece of two faces of materials 0 and 1, skinned by the bones given;
  // by default the first face is moved by bone 0 alone, the second by bones
  // 1, 2 and 3, one on each corner. Its blended mesh is not built yet.
  void MakeSkinnedPiece(const std::vector<std::vector<DWORD>>& bones = {{0, 1, 2}, {3}, {4}, {5}}) {
    if (piece) allocator.DestroyMeshContainer(piece);
    piece = new ModelPiece();
    piece->SourceMesh = Triangles({0, 1});
    piece->SourceMesh->AddRef();
    piece->pSkinInfo = Skin(6, bones);
    piece->pSkinInfo->AddRef();
  }

  MeshHierarchy allocator;
  ModelPiece* piece = nullptr;
};

TEST_F(PieceTest, ASkinnedPieceHoldsItsSkinAndSourceUntilDestroyed) {
  ID3DXMesh* mesh = Triangles({0, 0});
  ID3DXSkinInfo* skin = Skin(6, {{0, 1, 2, 3}, {2, 4, 5}});
  ASSERT_EQ(Create(mesh, {D3DXMATERIAL{}}, skin), S_OK);
  EXPECT_EQ(piece->SourceMesh, mesh);
  EXPECT_EQ(RefCount(mesh), 2u);  // the test's and the source's
  EXPECT_EQ(RefCount(skin), 2u);
  EXPECT_EQ(piece->MeshData.pMesh->GetFVF() & D3DFVF_POSITION_MASK, DWORD{D3DFVF_XYZB1});
  EXPECT_EQ(piece->BoneMatrixLinks, nullptr);  // linked after the whole file is read

  allocator.DestroyMeshContainer(piece);
  piece = nullptr;
  EXPECT_EQ(RefCount(skin), 1u);
  EXPECT_EQ(RefCount(mesh), 1u);
}

TEST_F(PieceTest, ATextureNameTooLongForItsBufferCostsOnlyThatTexture) {
  std::string name(400, 't');
  D3DXMATERIAL material{};
  material.pTextureFilename = name.data();
  ASSERT_EQ(Create(Triangles({0}), {material}), S_OK);
  EXPECT_EQ(piece->Textures[0], nullptr);
  EXPECT_EQ(piece->pMaterials[0].pTextureFilename, nullptr);
  EXPECT_TRUE(device->CallsOf("CreateTexture").empty());
}

TEST_F(PieceTest, FailedCreatesLeaveNoPieceAndNoReference) {
  ID3DXMesh* mesh = nullptr;
  ASSERT_EQ(D3DXCreateMeshFVF(1, 3, D3DXMESH_MANAGED, D3DFVF_XYZ, device, &mesh), S_OK);
  held.push_back(mesh);
  D3DXMESHDATA patch{D3DXMESHTYPE_PATCHMESH, mesh};
  D3DXMESHCONTAINER* made = reinterpret_cast<D3DXMESHCONTAINER*>(1);
  EXPECT_EQ(allocator.CreateMeshContainer("P", &patch, nullptr, nullptr, 0, nullptr, nullptr, &made), E_FAIL);
  EXPECT_EQ(made, nullptr);

  // The copy with normals of a mesh without them cannot be made.
  device->failFrom = device->made + 1;
  EXPECT_EQ(Create(mesh, {}), D3DERR_OUTOFVIDEOMEMORY);
  EXPECT_EQ(piece, nullptr);
  device->failFrom = 1 << 30;

  // A skin of another vertex count cannot be converted.
  ID3DXSkinInfo* skin = Skin(4, {{0}});
  EXPECT_LT(Create(Triangles({0}), {}, skin), 0);
  EXPECT_EQ(piece, nullptr);
  EXPECT_EQ(RefCount(skin), 1u);
  EXPECT_EQ(RefCount(mesh), 1u);
}

TEST_F(PieceTest, CombinationsBeyondTheDevicesBlendingGoToSoftware) {
  struct Case {
    DWORD maxBlend;
    bool capsFail;
    bool bonelessFirst;  // material 0's face has no bones
    u32 firstSoftware;
  } cases[] = {
      {4, false, false, 2}, {3, false, false, 2},  // as many bones as the device blends: not software
      {2, false, false, 1}, {0, false, true, 1},   {4, true, false, 0},  // unreadable caps: no blending
  };
  for (const Case& c : cases) {
    device->caps.MaxVertexBlendMatrices = c.maxBlend;
    if (c.capsFail) device->failures["GetDeviceCaps"] = E_FAIL;
    MakeSkinnedPiece(c.bonelessFirst ? std::vector<std::vector<DWORD>>{{3, 4, 5}}
                                     : std::vector<std::vector<DWORD>>{{0, 1, 2}, {3}, {4}, {5}});
    ASSERT_EQ(BuildSkinnedMesh(device, piece), S_OK);
    ASSERT_EQ(piece->GroupCount, 2u);
    EXPECT_EQ(piece->FirstSoftwareGroup, c.firstSoftware) << c.maxBlend;
    ID3DXMesh* mesh = piece->MeshData.pMesh;
    EXPECT_EQ(mesh->GetOptions() & ~D3DXMESH_SOFTWAREPROCESSING, DWORD{D3DXMESH_MANAGED});
    EXPECT_EQ(bool(mesh->GetOptions() & D3DXMESH_SOFTWAREPROCESSING), c.firstSoftware < 2) << c.maxBlend;
    EXPECT_EQ(RefCount(mesh), 1u);  // a replaced blended mesh is gone
  }
  EXPECT_TRUE(device->CallsOf("CreateVertexBuffer").back().args[1] & D3DUSAGE_SOFTWAREPROCESSING);
}

TEST_F(PieceTest, BuildingAgainReleasesTheFirstBuild) {
  MakeSkinnedPiece();
  ASSERT_EQ(BuildSkinnedMesh(device, piece), S_OK);
  ID3DXMesh* first = piece->MeshData.pMesh;
  ID3DXBuffer* firstTable = piece->BoneCombinations;
  first->AddRef();
  firstTable->AddRef();
  held.insert(held.end(), {first, firstTable});
  ASSERT_EQ(BuildSkinnedMesh(device, piece), S_OK);
  EXPECT_EQ(RefCount(first), 1u);
  EXPECT_EQ(RefCount(firstTable), 1u);
  EXPECT_EQ(RefCount(piece->SourceMesh), 2u);  // unchanged: the test's and the piece's
}

TEST_F(PieceTest, FailedBuildsReturnTheirCode) {
  MakeSkinnedPiece();
  device->failFrom = device->made + 1;
  EXPECT_EQ(BuildSkinnedMesh(device, piece), D3DERR_OUTOFVIDEOMEMORY);
  EXPECT_EQ(piece->MeshData.pMesh, nullptr);
  EXPECT_EQ(piece->BoneCombinations, nullptr);

  // The conversion succeeds, its software copy does not: the blended mesh stays.
  device->caps.MaxVertexBlendMatrices = 2;
  device->failFrom = 1 << 30;
  MakeSkinnedPiece();
  device->failFrom = device->made + 2;
  EXPECT_EQ(BuildSkinnedMesh(device, piece), D3DERR_OUTOFVIDEOMEMORY);
  ASSERT_NE(piece->MeshData.pMesh, nullptr);
  EXPECT_FALSE(piece->MeshData.pMesh->GetOptions() & D3DXMESH_SOFTWAREPROCESSING);
}

// A piece whose skin names the bones given (null: a bone without a name).
ModelPiece* BonedPiece(const std::vector<const char*>& bones) {
  ModelPiece* piece = new ModelPiece();
  if (bones.empty()) return piece;
  D3DXCreateSkinInfoFVF(3, VertexFvf, DWORD(bones.size()), &piece->pSkinInfo);
  for (DWORD b = 0; b < bones.size(); ++b)
    if (bones[b]) piece->pSkinInfo->SetBoneName(b, bones[b]);
  return piece;
}

TEST_F(PieceTest, LinksEverySkinnedPieceToItsBoneFrames) {
  const char* names[] = {"Root", "Arm", "Leg", "Hand"};
  ModelFrame* frames[4];
  for (int i = 0; i < 4; ++i) {
    D3DXFRAME* frame = nullptr;
    allocator.CreateFrame(names[i], &frame);
    frames[i] = static_cast<ModelFrame*>(frame);
  }
  auto [root, arm, leg, hand] = frames;
  // Root with children Arm and Leg (siblings); Arm has the child Hand. Leg
  // holds two pieces of which only the second is skinned; Hand one.
  root->pFrameFirstChild = arm;
  arm->pFrameSibling = leg;
  arm->pFrameFirstChild = hand;
  ModelPiece* plain = BonedPiece({});
  ModelPiece* legSkin = BonedPiece({"Hand", "Root"});
  ModelPiece* handSkin = BonedPiece({"Leg"});
  leg->pMeshContainer = plain;
  plain->pNextMeshContainer = legSkin;
  hand->pMeshContainer = handSkin;

  EXPECT_EQ(LinkBoneMatrices(root, root), S_OK);
  EXPECT_EQ(plain->BoneMatrixLinks, nullptr);
  EXPECT_EQ(legSkin->BoneMatrixLinks[0], &hand->CombinedMatrix);
  EXPECT_EQ(legSkin->BoneMatrixLinks[1], &root->CombinedMatrix);
  EXPECT_EQ(handSkin->BoneMatrixLinks[0], &leg->CombinedMatrix);

  // Linking again replaces the links (LeakSanitizer sees the old array go).
  EXPECT_EQ(LinkBoneMatricesOfMesh(handSkin, root), S_OK);
  EXPECT_EQ(handSkin->BoneMatrixLinks[0], &leg->CombinedMatrix);

  // A bone the skin never named matches no frame, not even an unnamed one.
  allocator.CreateFrame(nullptr, &hand->pFrameFirstChild);
  arm->pMeshContainer = BonedPiece({"Arm", nullptr});
  EXPECT_EQ(LinkBoneMatrices(root, root), E_FAIL);
  D3DXFrameDestroy(root, &allocator);
}

}  // namespace
