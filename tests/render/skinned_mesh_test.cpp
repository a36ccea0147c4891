// Blended meshes of skinned pieces, and which bone combinations the device
// can blend.
#include "render/skinned_mesh.h"
#include "tests/render/render_fixture.h"

namespace {

class SkinnedMeshTest : public RenderTest {
 protected:
  void TearDown() override {
    allocator.DestroyMeshContainer(piece);
    RenderTest::TearDown();
  }

  // Two faces of materials 0 and 1: the first moved by bone 0 alone, the
  // second by bones 1, 2 and 3, one on each corner.
  void MakeSkinnedPiece(const std::vector<std::vector<DWORD>>& bones = {{0, 1, 2}, {3}, {4}, {5}}) {
    allocator.DestroyMeshContainer(piece);
    piece = new ModelPiece();
    piece->SourceMesh = Triangles({0, 1});
    piece->SourceMesh->AddRef();
    piece->pSkinInfo = Skin(6, bones);
    piece->pSkinInfo->AddRef();
  }

  D3DXBONECOMBINATION* Table() {
    return static_cast<D3DXBONECOMBINATION*>(piece->BoneCombinations->GetBufferPointer());
  }

  MeshHierarchy allocator;
  ModelPiece* piece = new ModelPiece();
};

TEST_F(SkinnedMeshTest, OneCombinationPerMaterialWithUnusedSlotsMarked) {
  MakeSkinnedPiece();
  ASSERT_EQ(BuildSkinnedMesh(device, piece), S_OK);
  EXPECT_EQ(piece->MaxInfluences, 3u);
  ASSERT_EQ(piece->GroupCount, 2u);
  EXPECT_EQ(piece->MeshData.pMesh->GetOptions(), DWORD{D3DXMESH_MANAGED});
  EXPECT_EQ(piece->MeshData.pMesh->GetFVF() & D3DFVF_POSITION_MASK, DWORD{D3DFVF_XYZB2});
  EXPECT_EQ(Table()[0].BoneId[0], 0u);
  EXPECT_EQ(Table()[0].BoneId[1], 0xFFFFFFFFu);
  EXPECT_EQ(Table()[1].AttribId, 1u);
  EXPECT_EQ(Table()[1].BoneId[2], 3u);
}

TEST_F(SkinnedMeshTest, CombinationsBeyondTheDevicesBlendingGoToSoftware) {
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
    EXPECT_EQ(bool(mesh->GetOptions() & D3DXMESH_SOFTWAREPROCESSING), c.firstSoftware < 2) << c.maxBlend;
    EXPECT_EQ(RefCount(mesh), 1u);  // a replaced blended mesh is gone
  }
  EXPECT_TRUE(device->CallsOf("CreateVertexBuffer").back().args[1] & D3DUSAGE_SOFTWAREPROCESSING);
}

TEST_F(SkinnedMeshTest, BuildingAgainReleasesTheFirstBuild) {
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

TEST_F(SkinnedMeshTest, FailuresReturnTheirCode) {
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

}  // namespace
