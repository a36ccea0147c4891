// The allocator driven directly, as the hierarchy loader drives it.
#include "render/skinned_mesh.h"
#include "tests/render/render_fixture.h"

namespace {

// A mesh whose format is described only by a declaration: no FVF.
class NoFvfMesh final : public ID3DXMesh {
 public:
  explicit NoFvfMesh(ID3DXMesh* mesh) : mesh_(mesh) {}
  HRESULT DrawSubset(DWORD s) override { return mesh_->DrawSubset(s); }
  DWORD GetNumFaces() override { return mesh_->GetNumFaces(); }
  DWORD GetNumVertices() override { return mesh_->GetNumVertices(); }
  DWORD GetFVF() override { return 0; }
  DWORD GetNumBytesPerVertex() override { return mesh_->GetNumBytesPerVertex(); }
  DWORD GetOptions() override { return mesh_->GetOptions(); }
  HRESULT GetDevice(IDirect3DDevice9** d) override { return mesh_->GetDevice(d); }
  HRESULT CloneMeshFVF(DWORD o, DWORD f, IDirect3DDevice9* d, ID3DXMesh** c) override {
    return mesh_->CloneMeshFVF(o, f, d, c);
  }
  HRESULT LockVertexBuffer(DWORD f, void** d) override { return mesh_->LockVertexBuffer(f, d); }
  HRESULT UnlockVertexBuffer() override { return mesh_->UnlockVertexBuffer(); }
  HRESULT LockIndexBuffer(DWORD f, void** d) override { return mesh_->LockIndexBuffer(f, d); }
  HRESULT UnlockIndexBuffer() override { return mesh_->UnlockIndexBuffer(); }
  HRESULT GetAttributeTable(D3DXATTRIBUTERANGE* t, DWORD* s) override {
    return mesh_->GetAttributeTable(t, s);
  }
  HRESULT LockAttributeBuffer(DWORD f, DWORD** d) override { return mesh_->LockAttributeBuffer(f, d); }
  HRESULT UnlockAttributeBuffer() override { return mesh_->UnlockAttributeBuffer(); }

 private:
  ID3DXMesh* mesh_;
};

class AllocatorTest : public RenderTest {
 protected:
  HRESULT Create(ID3DXMesh* mesh, const std::vector<D3DXMATERIAL>& materials,
                 ID3DXSkinInfo* skin = nullptr, const char* name = "Piece") {
    D3DXMESHDATA data{D3DXMESHTYPE_MESH, mesh};
    adjacency.assign(mesh->GetNumFaces() * 3, 0);
    for (size_t i = 0; i < adjacency.size(); ++i) adjacency[i] = DWORD(i);
    D3DXMESHCONTAINER* made = nullptr;
    HRESULT hr = allocator.CreateMeshContainer(name, &data, materials.data(), nullptr,
                                               DWORD(materials.size()), adjacency.data(), skin,
                                               &made);
    piece = static_cast<ModelPiece*>(made);
    return hr;
  }

  void TearDown() override {
    if (piece) allocator.DestroyMeshContainer(piece);
    RenderTest::TearDown();
  }

  MeshHierarchy allocator;
  ModelPiece* piece = nullptr;
  std::vector<DWORD> adjacency;
};

D3DXMATERIAL Colour(float r, float g, float b, const char* texture = nullptr) {
  D3DXMATERIAL m{};
  m.MatD3D.Diffuse = {r, g, b, 1};
  m.MatD3D.Power = 4;
  m.pTextureFilename = const_cast<char*>(texture);
  return m;
}

TEST_F(AllocatorTest, KeepsAMeshWithNormalsAndCopiesMaterials) {
  ID3DXMesh* mesh = Triangles(2, {0, 1});
  std::vector<D3DXMATERIAL> materials = {Colour(1, 0, 0), Colour(0, 0, 1)};
  ASSERT_EQ(Create(mesh, materials), S_OK);
  EXPECT_STREQ(piece->Name, "Piece");
  EXPECT_EQ(piece->MeshData.Type, D3DXMESHTYPE_MESH);
  EXPECT_EQ(piece->MeshData.pMesh, mesh);
  EXPECT_EQ(RefCount(mesh), 2u);
  ASSERT_EQ(piece->NumMaterials, 2u);
  EXPECT_NE(piece->pMaterials, materials.data());
  EXPECT_EQ(piece->pMaterials[1].MatD3D.Diffuse.b, 1.0f);
  EXPECT_EQ(piece->pMaterials[1].MatD3D.Power, 4.0f);
  EXPECT_EQ(piece->Textures[0], nullptr);
  EXPECT_EQ(piece->Textures[1], nullptr);
  ASSERT_NE(piece->pAdjacency, nullptr);
  EXPECT_EQ(piece->pAdjacency[5], 5u);
  EXPECT_EQ(piece->pSkinInfo, nullptr);
  EXPECT_EQ(piece->SourceMesh, nullptr);
  EXPECT_EQ(piece->BoneCombinations, nullptr);
  EXPECT_EQ(piece->pNextMeshContainer, nullptr);

  allocator.DestroyMeshContainer(piece);
  piece = nullptr;
  EXPECT_EQ(RefCount(mesh), 1u);
}

TEST_F(AllocatorTest, DrawsAMeshWithoutNormalsFromACopyWithNormals) {
  ID3DXMesh* mesh = Triangles(1, {0}, D3DFVF_XYZ | D3DFVF_TEX1);
  ASSERT_EQ(Create(mesh, {}, nullptr, nullptr), S_OK);
  EXPECT_EQ(piece->Name, nullptr);
  ID3DXMesh* drawn = piece->MeshData.pMesh;
  ASSERT_NE(drawn, mesh);
  EXPECT_EQ(RefCount(mesh), 1u);  // the loaded mesh is not kept
  EXPECT_EQ(drawn->GetFVF(), DWORD{D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1});
  EXPECT_EQ(drawn->GetOptions(), mesh->GetOptions());
  Vertex* v;
  drawn->LockVertexBuffer(D3DLOCK_READONLY, reinterpret_cast<void**>(&v));
  EXPECT_EQ(v[1].x, 1.0f);
  EXPECT_FLOAT_EQ(std::abs(v[1].nz), 1.0f);
  drawn->UnlockVertexBuffer();

  // No materials: one grey one, without texture.
  ASSERT_EQ(piece->NumMaterials, 1u);
  const D3DMATERIAL9& m = piece->pMaterials[0].MatD3D;
  for (const D3DCOLORVALUE& c : {m.Diffuse, m.Specular}) {
    EXPECT_EQ(c.r, 0.5f);
    EXPECT_EQ(c.g, 0.5f);
    EXPECT_EQ(c.b, 0.5f);
    EXPECT_EQ(c.a, 0.0f);
  }
  EXPECT_EQ(m.Ambient.r, 0.0f);
  EXPECT_EQ(m.Emissive.g, 0.0f);
  EXPECT_EQ(m.Power, 0.0f);
  EXPECT_EQ(piece->pMaterials[0].pTextureFilename, nullptr);
  EXPECT_EQ(piece->Textures[0], nullptr);
}

TEST_F(AllocatorTest, ATextureNameTooLongForItsBufferCostsOnlyThatTexture) {
  std::string name(400, 't');
  ASSERT_EQ(Create(Triangles(1, {0}), {Colour(1, 0, 0, name.c_str())}), S_OK);
  EXPECT_EQ(piece->Textures[0], nullptr);
  EXPECT_EQ(piece->pMaterials[0].pTextureFilename, nullptr);
  EXPECT_TRUE(device->CallsOf("CreateTexture").empty());
}

TEST_F(AllocatorTest, RefusesPatchesAndMeshesWithoutFvf) {
  ID3DXMesh* mesh = Triangles(1, {0});
  D3DXMESHDATA patch{D3DXMESHTYPE_PATCHMESH, mesh};
  D3DXMESHCONTAINER* made = reinterpret_cast<D3DXMESHCONTAINER*>(1);
  EXPECT_EQ(allocator.CreateMeshContainer("P", &patch, nullptr, nullptr, 0, nullptr, nullptr,
                                          &made),
            E_FAIL);
  EXPECT_EQ(made, nullptr);
  NoFvfMesh* declared = Hold(new NoFvfMesh(mesh));
  EXPECT_EQ(Create(declared, {}), E_FAIL);
  EXPECT_EQ(piece, nullptr);
  EXPECT_EQ(RefCount(mesh), 1u);
}

TEST_F(AllocatorTest, AFailedNormalCopyLeavesNothing) {
  ID3DXMesh* mesh = Triangles(1, {0}, D3DFVF_XYZ);
  device->failFrom = device->made + 1;
  EXPECT_EQ(Create(mesh, {}), D3DERR_OUTOFVIDEOMEMORY);
  EXPECT_EQ(piece, nullptr);
  EXPECT_EQ(RefCount(mesh), 1u);
}

TEST_F(AllocatorTest, KeepsBoneOffsetsAndBuildsTheBlendedMesh) {
  ID3DXMesh* mesh = Triangles(2, {0, 0});
  ID3DXSkinInfo* skin = Skin(6, {{0, 1, 2, 3}, {2, 4, 5}});
  ASSERT_EQ(Create(mesh, {Colour(1, 1, 1)}, skin), S_OK);
  EXPECT_EQ(piece->pSkinInfo, skin);
  EXPECT_EQ(RefCount(skin), 2u);
  EXPECT_EQ(piece->SourceMesh, mesh);
  EXPECT_EQ(RefCount(mesh), 2u);  // the test's and the source's
  ASSERT_NE(piece->BoneOffsets, nullptr);
  EXPECT_EQ(piece->BoneOffsets[1]._42, -1.0f);
  ASSERT_NE(piece->MeshData.pMesh, nullptr);
  EXPECT_NE(piece->MeshData.pMesh, mesh);
  EXPECT_EQ(piece->MeshData.pMesh->GetFVF() & D3DFVF_POSITION_MASK, DWORD{D3DFVF_XYZB1});
  EXPECT_EQ(piece->MaxInfluences, 2u);
  EXPECT_EQ(piece->GroupCount, 1u);
  EXPECT_EQ(piece->FirstSoftwareGroup, 1u);
  ASSERT_NE(piece->BoneCombinations, nullptr);
  EXPECT_EQ(piece->BoneMatrixLinks, nullptr);  // linked after the whole file is read

  allocator.DestroyMeshContainer(piece);
  piece = nullptr;
  EXPECT_EQ(RefCount(skin), 1u);
  EXPECT_EQ(RefCount(mesh), 1u);
}

TEST_F(AllocatorTest, AFailedSkinBuildDestroysThePiece) {
  ID3DXMesh* mesh = Triangles(1, {0});
  ID3DXSkinInfo* skin = Skin(4, {{0}});  // another vertex count: cannot convert
  EXPECT_LT(Create(mesh, {}, skin), 0);
  EXPECT_EQ(piece, nullptr);
  EXPECT_EQ(RefCount(skin), 1u);
  EXPECT_EQ(RefCount(mesh), 1u);
}

}  // namespace
