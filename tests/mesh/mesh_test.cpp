#include <gtest/gtest.h>

#include <algorithm>

#include "tests/mesh/mesh_helpers.h"

namespace {

class MeshTest : public ::testing::Test {
 protected:
  void TearDown() override { device->Release(); }
  RecordingDevice* device = new RecordingDevice();
};

// Four vertices of a unit quad in the z = 0 plane, two clockwise faces
// seen from -z.
std::vector<Vertex> Quad() {
  return {{0, 0, 0, 0, 0, 0, 0, 1}, {0, 1, 0, 0, 0, 0, 0, 0},
          {1, 1, 0, 0, 0, 0, 1, 0}, {1, 0, 0, 0, 0, 0, 1, 1}};
}

TEST_F(MeshTest, CreatesBuffersOfItsFormatOrNothing) {
  EXPECT_EQ(D3DXGetFVFVertexSize(D3DFVF_XYZB3 | D3DFVF_NORMAL | D3DFVF_TEX1), 44u);
  EXPECT_EQ(D3DXGetFVFVertexSize(D3DFVF_XYZ | 0x10000), 0u);  // 1D texture coordinates
  ID3DXMesh* mesh = nullptr;
  ASSERT_EQ(D3DXCreateMeshFVF(1, 3, D3DXMESH_32BIT | D3DXMESH_SOFTWAREPROCESSING, D3DFVF_XYZ,
                              device, &mesh),
            S_OK);
  EXPECT_EQ(RefCount(device), 2u);
  IDirect3DDevice9* got = nullptr;
  ASSERT_EQ(mesh->GetDevice(&got), S_OK);
  EXPECT_EQ(got, device);
  got->Release();
  EXPECT_EQ(mesh->Release(), 0u);
  EXPECT_EQ(RefCount(device), 1u);

  // What it cannot hold is refused, and nothing is left behind.
  mesh = reinterpret_cast<ID3DXMesh*>(1);
  EXPECT_LT(D3DXCreateMeshFVF(0, 3, 0, D3DFVF_XYZ, device, &mesh), 0);
  EXPECT_EQ(mesh, nullptr);
  EXPECT_LT(D3DXCreateMeshFVF(1, 3, 0, D3DFVF_XYZ, nullptr, &mesh), 0);
  EXPECT_LT(D3DXCreateMeshFVF(1, 3, 0, 0x40000000, device, &mesh), 0);
  EXPECT_LT(D3DXCreateMeshFVF(1, 70000, 0, D3DFVF_XYZ, device, &mesh), 0);  // 16-bit indices
  ASSERT_EQ(D3DXCreateMeshFVF(1, 70000, D3DXMESH_32BIT, D3DFVF_XYZ, device, &mesh), S_OK);
  const DWORD wide[3] = {0, 1, 69999};  // beyond what 16 bits hold
  void* indices;
  mesh->LockIndexBuffer(0, &indices);
  std::memcpy(indices, wide, sizeof wide);
  mesh->UnlockIndexBuffer();
  device->calls.clear();
  EXPECT_EQ(mesh->DrawSubset(0), S_OK);
  EXPECT_EQ(DrawnTriangles(*device), (std::vector<Triangle>{{0, 1, 69999}}));
  mesh->Release();
  // A device that cannot make the index buffer: the vertex buffer goes back.
  device->failures["CreateIndexBuffer"] = D3DERR_OUTOFVIDEOMEMORY;
  EXPECT_EQ(D3DXCreateMeshFVF(1, 3, 0, D3DFVF_XYZ, device, &mesh), D3DERR_OUTOFVIDEOMEMORY);
  EXPECT_EQ(mesh, nullptr);
  EXPECT_EQ(RefCount(device), 1u);
}

TEST_F(MeshTest, HandsWrittenMemoryToTheDeviceAtUnlock) {
  ID3DXMesh* mesh = MakeMesh(device, Quad(), {0, 1, 2, 0, 2, 3}, {0, 0});
  mesh->DrawSubset(0);
  auto* vb = static_cast<const RecordingVertexBuffer*>(
      device->CallsOf("DrawIndexedPrimitive").at(0).object);
  ASSERT_NE(vb, nullptr);
  void* data;
  mesh->LockVertexBuffer(0, &data);
  static_cast<Vertex*>(data)[2].x = 7;
  mesh->UnlockVertexBuffer();
  Vertex uploaded[4];
  std::memcpy(uploaded, vb->bytes.data(), sizeof uploaded);
  EXPECT_EQ(uploaded[2].x, 7.0f);
  EXPECT_EQ(uploaded[3].v, 1.0f);
  EXPECT_LT(mesh->UnlockVertexBuffer(), 0);  // not locked
  mesh->Release();
}

TEST_F(MeshTest, DrawsEachSubsetsFacesAndNothingElse) {
  std::vector<Vertex> v = Quad();
  v.push_back({2, 0, 0, 0, 0, 0, 0, 0});
  ID3DXMesh* mesh = MakeMesh(device, v, {0, 1, 2, 1, 2, 4, 0, 2, 3, 2, 3, 4}, {1, 0, 1, 0});
  ASSERT_NE(mesh, nullptr);
  const std::vector<std::vector<Triangle>> subsets = {
      {{1, 2, 4}, {2, 3, 4}}, {{0, 1, 2}, {0, 2, 3}}, {}};  // interleaved in the mesh
  for (DWORD s : {0u, 1u, 7u}) {
    device->calls.clear();
    EXPECT_EQ(mesh->DrawSubset(s), S_OK);
    std::vector<Triangle> drawn = DrawnTriangles(*device);
    std::sort(drawn.begin(), drawn.end());
    EXPECT_EQ(drawn, subsets[std::min(s, 2u)]) << s;
  }
  EXPECT_EQ(Contents<WORD>(mesh, true)[3], 1);  // the mesh's own order is unchanged
  mesh->Release();

  // A subset with an index past the last vertex is refused, not drawn.
  mesh = MakeMesh(device, Quad(), {0, 1, 2, 0, 2, 9}, {0, 1});
  device->calls.clear();
  EXPECT_EQ(mesh->DrawSubset(0), S_OK);
  EXPECT_LT(mesh->DrawSubset(1), 0);
  EXPECT_EQ(DrawnTriangles(*device), (std::vector<Triangle>{{0, 1, 2}}));
  mesh->Release();
}

TEST_F(MeshTest, ClonesWithAnotherFormatKeepingSharedElements) {
  // Positions and texture coordinates 1 to 20; face 1 of attribute 3.
  ID3DXMesh* mesh = MakeMesh(device, Quad(), {0, 1, 2, 0, 2, 3}, {0, 3});
  ID3DXMesh* source = nullptr;
  ASSERT_EQ(mesh->CloneMeshFVF(D3DXMESH_MANAGED, D3DFVF_XYZ | D3DFVF_TEX1, device, &source), S_OK);
  mesh->Release();
  float* v;
  source->LockVertexBuffer(0, reinterpret_cast<void**>(&v));
  for (int i = 0; i < 20; ++i) v[i] = float(i + 1);
  source->UnlockVertexBuffer();

  ID3DXMesh* clone = nullptr;
  ASSERT_EQ(source->CloneMeshFVF(D3DXMESH_MANAGED | D3DXMESH_32BIT, VertexFvf, device, &clone),
            S_OK);
  source->Release();
  Vertex cv = Contents<Vertex>(clone, false)[1];
  EXPECT_EQ((std::vector<float>{cv.x, cv.z, cv.nx, cv.u, cv.v}),
            (std::vector<float>{6, 8, 0, 9, 10}));
  EXPECT_EQ(Contents<DWORD>(clone, true)[5], 3u);
  DWORD* attributes;
  clone->LockAttributeBuffer(D3DLOCK_READONLY, &attributes);
  EXPECT_EQ(attributes[1], 3u);
  clone->UnlockAttributeBuffer();
  clone->Release();
}

TEST_F(MeshTest, ComputesNormalsFacingTheClockwiseSide) {
  // A corner shared by two faces at right angles, each with a right angle
  // there, leans to neither, though one face is ten times the other's area;
  // vertex 4 is used by no face and keeps a zero normal.
  std::vector<Vertex> corner = {{0, 0, 0, 0, 0, 0, 0, 0}, {0, 1, 0, 0, 0, 0, 0, 0},
                                {10, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 1, 0, 0, 0, 0, 0},
                                {5, 5, 5, 9, 9, 9, 0, 0}};
  ID3DXMesh* mesh = MakeMesh(device, corner, {0, 1, 2, 0, 3, 1}, {0, 0});
  ASSERT_EQ(D3DXComputeNormals(mesh, nullptr), S_OK);
  std::vector<Vertex> out = Contents<Vertex>(mesh, false);
  EXPECT_NEAR(out[0].nx, -0.70710677f, 1e-6);
  EXPECT_NEAR(out[0].nz, -0.70710677f, 1e-6);
  EXPECT_NEAR(out[2].nz, -1.0f, 1e-6);
  EXPECT_EQ(out[4].nx, 0.0f);
  mesh->Release();

  ID3DXMesh* bare = nullptr;
  D3DXCreateMeshFVF(1, 3, 0, D3DFVF_XYZ, device, &bare);
  EXPECT_LT(D3DXComputeNormals(bare, nullptr), 0);
  bare->Release();
}

}  // namespace
