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
  void MakeSkinnedPiece() {
    UseSkin(Triangles(2, {0, 1}), Skin(6, {{0, 1, 2}, {3}, {4}, {5}}));
  }

  void UseSkin(ID3DXMesh* mesh, ID3DXSkinInfo* skin) {
    piece->SourceMesh = mesh;
    mesh->AddRef();
    piece->pSkinInfo = skin;
    skin->AddRef();
  }

  D3DXBONECOMBINATION* Table() {
    return static_cast<D3DXBONECOMBINATION*>(piece->BoneCombinations->GetBufferPointer());
  }

  MeshHierarchy allocator;
  ModelPiece* piece = new ModelPiece();
};

TEST_F(SkinnedMeshTest, LeavesAPieceWithoutSkinAlone) {
  ID3DXMesh* mesh = Triangles(1, {0});
  piece->MeshData.pMesh = mesh;
  mesh->AddRef();
  EXPECT_EQ(BuildSkinnedMesh(device, piece), S_OK);
  EXPECT_EQ(piece->MeshData.pMesh, mesh);
  EXPECT_EQ(piece->BoneCombinations, nullptr);
  EXPECT_EQ(piece->GroupCount, 0u);
  EXPECT_EQ(SkinningMethod, u32{NonIndexedSkinning});
}

TEST_F(SkinnedMeshTest, KeepsManagedBuffersWhenEveryGroupFits) {
  MakeSkinnedPiece();
  ASSERT_EQ(BuildSkinnedMesh(device, piece), S_OK);
  EXPECT_EQ(piece->MaxInfluences, 3u);
  ASSERT_EQ(piece->GroupCount, 2u);
  EXPECT_EQ(piece->FirstSoftwareGroup, 2u);
  EXPECT_EQ(piece->MeshData.pMesh->GetOptions(), DWORD{D3DXMESH_MANAGED});
  EXPECT_EQ(piece->MeshData.pMesh->GetFVF() & D3DFVF_POSITION_MASK, DWORD{D3DFVF_XYZB2});
  EXPECT_EQ(Table()[0].BoneId[0], 0u);
  EXPECT_EQ(Table()[0].BoneId[1], 0xFFFFFFFFu);
  EXPECT_EQ(Table()[1].AttribId, 1u);
  EXPECT_EQ(Table()[1].BoneId[2], 3u);
}

TEST_F(SkinnedMeshTest, ABoneCountEqualToTheDevicesIsNotSoftware) {
  device->caps.MaxVertexBlendMatrices = 3;
  MakeSkinnedPiece();
  ASSERT_EQ(BuildSkinnedMesh(device, piece), S_OK);
  EXPECT_EQ(piece->FirstSoftwareGroup, 2u);
  EXPECT_FALSE(piece->MeshData.pMesh->GetOptions() & D3DXMESH_SOFTWAREPROCESSING);
}

TEST_F(SkinnedMeshTest, ALaterGroupBeyondTheDeviceMakesTheMeshSoftwareCapable) {
  device->caps.MaxVertexBlendMatrices = 2;
  MakeSkinnedPiece();
  ASSERT_EQ(BuildSkinnedMesh(device, piece), S_OK);
  EXPECT_EQ(piece->GroupCount, 2u);
  EXPECT_EQ(piece->FirstSoftwareGroup, 1u);
  ID3DXMesh* mesh = piece->MeshData.pMesh;
  EXPECT_EQ(mesh->GetOptions(), DWORD{D3DXMESH_MANAGED | D3DXMESH_SOFTWAREPROCESSING});
  EXPECT_EQ(mesh->GetFVF() & D3DFVF_POSITION_MASK, DWORD{D3DFVF_XYZB2});
  EXPECT_EQ(mesh->GetNumVertices(), 6u);
  EXPECT_EQ(RefCount(mesh), 1u);  // the blended original is gone
  EXPECT_TRUE(device->CallsOf("CreateVertexBuffer").back().args[1] & D3DUSAGE_SOFTWAREPROCESSING);
}

TEST_F(SkinnedMeshTest, ADeviceWithoutBlendingSendsTheFirstBonedGroupToSoftware) {
  device->caps.MaxVertexBlendMatrices = 0;
  // Material 0's face has no bones, material 1's one.
  UseSkin(Triangles(2, {0, 1}), Skin(6, {{3, 4, 5}}));
  ASSERT_EQ(BuildSkinnedMesh(device, piece), S_OK);
  ASSERT_EQ(piece->GroupCount, 2u);
  EXPECT_EQ(piece->FirstSoftwareGroup, 1u);
  EXPECT_TRUE(piece->MeshData.pMesh->GetOptions() & D3DXMESH_SOFTWAREPROCESSING);
}

TEST_F(SkinnedMeshTest, CapabilitiesThatCannotBeReadCountAsNoBlending) {
  device->failures["GetDeviceCaps"] = E_FAIL;
  MakeSkinnedPiece();
  ASSERT_EQ(BuildSkinnedMesh(device, piece), S_OK);
  EXPECT_EQ(piece->FirstSoftwareGroup, 0u);
}

TEST_F(SkinnedMeshTest, BuildingAgainReleasesTheFirstBuild) {
  MakeSkinnedPiece();
  ASSERT_EQ(BuildSkinnedMesh(device, piece), S_OK);
  ID3DXMesh* first = piece->MeshData.pMesh;
  ID3DXBuffer* firstTable = piece->BoneCombinations;
  Hold(first)->AddRef();
  Hold(firstTable)->AddRef();
  ASSERT_EQ(BuildSkinnedMesh(device, piece), S_OK);
  EXPECT_NE(piece->MeshData.pMesh, first);
  EXPECT_NE(piece->BoneCombinations, firstTable);
  EXPECT_EQ(RefCount(first), 1u);
  EXPECT_EQ(RefCount(firstTable), 1u);
  EXPECT_EQ(RefCount(piece->SourceMesh), 2u);  // unchanged: the test's and the piece's
  EXPECT_EQ(piece->GroupCount, 2u);
}

TEST_F(SkinnedMeshTest, AFailedCloneKeepsTheBlendedMesh) {
  device->caps.MaxVertexBlendMatrices = 2;
  MakeSkinnedPiece();
  device->failFrom = device->made + 2;  // the conversion's buffer, not the clone's
  EXPECT_EQ(BuildSkinnedMesh(device, piece), D3DERR_OUTOFVIDEOMEMORY);
  ASSERT_NE(piece->MeshData.pMesh, nullptr);
  EXPECT_FALSE(piece->MeshData.pMesh->GetOptions() & D3DXMESH_SOFTWAREPROCESSING);
  EXPECT_EQ(piece->FirstSoftwareGroup, 1u);
}

TEST_F(SkinnedMeshTest, AFailedConversionReturnsItsCode) {
  MakeSkinnedPiece();
  device->failFrom = device->made + 1;
  EXPECT_EQ(BuildSkinnedMesh(device, piece), D3DERR_OUTOFVIDEOMEMORY);
  EXPECT_EQ(piece->MeshData.pMesh, nullptr);
  EXPECT_EQ(piece->BoneCombinations, nullptr);
}

}  // namespace
