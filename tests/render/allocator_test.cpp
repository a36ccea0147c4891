// The allocator driven directly, as the hierarchy loader drives it.
#include "tests/render/render_fixture.h"

namespace {

class AllocatorTest : public RenderTest {
 protected:
  HRESULT Create(ID3DXMesh* mesh, const std::vector<D3DXMATERIAL>& materials, ID3DXSkinInfo* skin = nullptr) {
    D3DXMESHDATA data{D3DXMESHTYPE_MESH, mesh};
    std::vector<DWORD> adjacency(mesh->GetNumFaces() * 3, 0xFFFFFFFF);
    D3DXMESHCONTAINER* made = nullptr;
    HRESULT hr = allocator.CreateMeshContainer("Piece", &data, materials.data(), nullptr, DWORD(materials.size()),
                                               adjacency.data(), skin, &made);
    piece = static_cast<ModelPiece*>(made);
    return hr;
  }

  void TearDown() override {
    if (piece) allocator.DestroyMeshContainer(piece);
    RenderTest::TearDown();
  }

  MeshHierarchy allocator;
  ModelPiece* piece = nullptr;
};

TEST_F(AllocatorTest, ASkinnedPieceHoldsItsSkinAndSourceUntilDestroyed) {
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

TEST_F(AllocatorTest, ATextureNameTooLongForItsBufferCostsOnlyThatTexture) {
  std::string name(400, 't');
  D3DXMATERIAL material{};
  material.pTextureFilename = name.data();
  ASSERT_EQ(Create(Triangles({0}), {material}), S_OK);
  EXPECT_EQ(piece->Textures[0], nullptr);
  EXPECT_EQ(piece->pMaterials[0].pTextureFilename, nullptr);
  EXPECT_TRUE(device->CallsOf("CreateTexture").empty());
}

TEST_F(AllocatorTest, FailuresLeaveNoPieceAndNoReference) {
  ID3DXMesh* mesh = Triangles({0}, D3DFVF_XYZ);
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

}  // namespace
