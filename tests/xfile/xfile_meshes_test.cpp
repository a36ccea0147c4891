// Meshes of .x files as the allocator receives them: vertices, faces,
// normals, texture coordinates, materials, skin, and the failures.
#include <cmath>
#include <cstring>
#include <vector>

#include "tests/xfile/xfile_fixture.h"

namespace {

using Calls = std::vector<std::string>;


// Float `index` of every vertex (0 is the position's x).
std::vector<float> FloatsAt(ID3DXMesh* mesh, int index) {
  std::vector<float> out(mesh->GetNumVertices());
  void* data = nullptr;
  mesh->LockVertexBuffer(D3DLOCK_READONLY, &data);
  for (std::size_t i = 0; i < out.size(); ++i)
    std::memcpy(&out[i], static_cast<BYTE*>(data) + i * mesh->GetNumBytesPerVertex() + 4 * index, 4);
  mesh->UnlockVertexBuffer();
  return out;
}

std::vector<DWORD> Indices(ID3DXMesh* mesh) {
  std::vector<DWORD> out(mesh->GetNumFaces() * 3);
  void* data = nullptr;
  mesh->LockIndexBuffer(D3DLOCK_READONLY, &data);
  for (std::size_t i = 0; i < out.size(); ++i)
    out[i] = mesh->GetOptions() & D3DXMESH_32BIT ? static_cast<DWORD*>(data)[i] : static_cast<WORD*>(data)[i];
  mesh->UnlockIndexBuffer();
  return out;
}

std::vector<DWORD> Attributes(ID3DXMesh* mesh) {
  DWORD* data = nullptr;
  mesh->LockAttributeBuffer(D3DLOCK_READONLY, &data);
  std::vector<DWORD> out(data, data + mesh->GetNumFaces());
  mesh->UnlockAttributeBuffer();
  return out;
}

TestMeshContainer* Container(D3DXFRAME* frame) { return static_cast<TestMeshContainer*>(frame->pMeshContainer); }

// A quad and a pentagon without normals, in an unnamed frame.
const char kPolygons[] = R"(
Frame { Mesh {
  7; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;, 2;0;0;, 3;1;0;, 2;2;0;;
  2; 4;0,1,2,3;, 5;1,4,5,6,2;;
} }
)";

const char kTwoMaterials[] = R"(
Material Shared { 0.5;0.5;0.5;1.0;; 2.0; 0;0;0;; 0;0;0;; TextureFilename { "shared.jpg"; } }
Frame Box {
  Mesh BoxMesh {
    4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;;
    3; 3;0,1,2;, 3;0,2,3;, 3;0,1,3;;
    MeshTextureCoords { 4; 0.0;0.0;, 1.0;0.0;, 1.0;1.0;, 0.0;0.25;; }
    MeshMaterialList {
      3; 2; 1, 0;;
      Material Red { 1.0;0.0;0.0;0.5;; 12.5; 0.25;0.5;0.75;; 0.1;0.2;0.3;; TextureFilename { "red.png"; } }
      Material { 0;0;1;1;; 0; 0;0;0;; 0;0;0;; }
      { Shared }
    }
  }
}
)";

const char kSkinned[] = R"(
Frame Root {
  Frame Bone1 { FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 0,1,0,1;; } Frame Bone2 { } }
  Mesh Skin {
    4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;;
    2; 3;0,1,2;, 3;0,2,3;;
    MeshNormals { 2; 0;0;-1;, 0;1;0;; 2; 3;0,0,0;, 3;1,0,1;; }
    XSkinMeshHeader { 2; 2; 2; }
    SkinWeights {
      "Bone1"; 3; 0, 1, 2; 1.0, 0.5, 0.25;
      1,0,0,0, 0,1,0,0, 0,0,1,0, 0,-1,0,1;;
    }
    SkinWeights {
      "Bone2"; 2; 1, 3; 0.5, 1.0;
      2,0,0,0, 0,2,0,0, 0,0,2,0, 0,0,0,1;;
    }
  }
}
)";

}  // namespace

TEST_F(XFileTest, PolygonsBecomeFansInAMeshWithoutNormals) {
  ASSERT_EQ(LoadText(kXHeader + std::string(kPolygons)), S_OK);
  EXPECT_EQ(allocator.calls, (Calls{"frame -", "mesh -"}));
  TestMeshContainer* piece = Container(root);
  ID3DXMesh* mesh = piece->MeshData.pMesh;
  EXPECT_EQ(mesh->GetFVF(), DWORD(D3DFVF_XYZ));
  EXPECT_EQ(mesh->GetOptions() & D3DXMESH_MANAGED, DWORD(D3DXMESH_MANAGED));
  EXPECT_EQ(FloatsAt(mesh, 0), (std::vector<float>{0, 1, 1, 0, 2, 3, 2}));
  EXPECT_EQ(Indices(mesh), (std::vector<DWORD>{0, 1, 2, 0, 2, 3, 1, 4, 5, 1, 5, 6, 1, 6, 2}));
  EXPECT_EQ(Attributes(mesh), (std::vector<DWORD>(5, 0)));
  EXPECT_EQ(piece->NumMaterials, 0u);
  ASSERT_EQ(piece->adjacency.size(), 15u);  // three per face, each a face or none
  for (DWORD neighbour : piece->adjacency) EXPECT_TRUE(neighbour == 0xFFFFFFFF || neighbour < 5);
  EXPECT_EQ(piece->pSkinInfo, nullptr);
}

TEST_F(XFileTest, MaterialsTexturesAndTextureCoordinates) {
  ASSERT_EQ(LoadText(kXHeader + std::string(kTwoMaterials)), S_OK);
  TestMeshContainer* piece = Container(root);
  ASSERT_EQ(piece->NumMaterials, 3u);
  const D3DMATERIAL9& red = piece->materials[0].MatD3D;
  EXPECT_EQ(red.Diffuse.a, 0.5f);
  EXPECT_EQ(red.Power, 12.5f);
  EXPECT_EQ(red.Specular.b, 0.75f);
  EXPECT_EQ(red.Specular.a, 1);  // the file gives three components
  EXPECT_FLOAT_EQ(red.Emissive.g, 0.2f);
  EXPECT_EQ(piece->materials[1].MatD3D.Diffuse.b, 1);
  EXPECT_EQ(piece->materials[2].MatD3D.Diffuse.r, 0.5f);  // the top-level material referenced
  EXPECT_EQ(piece->textureNames, (std::vector<std::string>{"red.png", "", "shared.jpg"}));

  ID3DXMesh* mesh = piece->MeshData.pMesh;
  EXPECT_EQ(mesh->GetFVF(), DWORD(D3DFVF_XYZ | D3DFVF_TEX1));
  // Two face indices for three faces: the last one goes on.
  EXPECT_EQ(Attributes(mesh), (std::vector<DWORD>{1, 0, 0}));
  EXPECT_EQ(FloatsAt(mesh, 3), (std::vector<float>{0, 1, 1, 0}));       // u
  EXPECT_EQ(FloatsAt(mesh, 4), (std::vector<float>{0, 0, 1, 0.25f}));  // v
}

TEST_F(XFileTest, SkinWeightsGiveBonesOffsetsAndInfluences) {
  ASSERT_EQ(LoadText(kXHeader + std::string(kSkinned)), S_OK);
  EXPECT_EQ(allocator.calls, (Calls{"frame Root", "frame Bone1", "frame Bone2", "mesh Skin"}));
  ID3DXSkinInfo* skin = Container(root)->pSkinInfo;
  ASSERT_EQ(skin->GetNumBones(), 2u);
  EXPECT_STREQ(skin->GetBoneName(1), "Bone2");
  EXPECT_EQ(skin->GetBoneOffsetMatrix(0)->_42, -1);
  EXPECT_EQ(skin->GetBoneOffsetMatrix(1)->_11, 2);

  // Position 0 meets another normal in the second face and becomes vertices
  // 0 and 4, and its weight goes with both; position 2 keeps its one normal.
  ID3DXMesh* mesh = Container(root)->MeshData.pMesh;
  EXPECT_EQ(mesh->GetFVF(), DWORD(D3DFVF_XYZ | D3DFVF_NORMAL));
  EXPECT_EQ(Indices(mesh), (std::vector<DWORD>{0, 1, 2, 4, 2, 3}));
  EXPECT_EQ(FloatsAt(mesh, 4), (std::vector<float>{0, 0, 0, 1, 1}));  // normal y
  ASSERT_EQ(skin->GetNumBoneInfluences(0), 4u);
  std::vector<DWORD> vertices(4);
  std::vector<float> weights(4);
  ASSERT_EQ(skin->GetBoneInfluence(0, vertices.data(), weights.data()), S_OK);
  EXPECT_EQ(vertices, (std::vector<DWORD>{0, 4, 1, 2}));
  EXPECT_EQ(weights, (std::vector<float>{1, 1, 0.5f, 0.25f}));
}

TEST_F(XFileTest, SeveralMeshesOfAFrameAreChainedInFileOrder) {
  std::string text = std::string(kXHeader) +
                     "Frame F { Mesh A { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; }"
                     " Frame G { } Mesh B { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,2,1;; } }"
                     "Mesh Loose { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; }";
  ASSERT_EQ(LoadText(text), S_OK);
  // A top-level mesh beside a frame: both go under an unnamed root.
  EXPECT_EQ(allocator.calls, (Calls{"frame -", "frame F", "mesh A", "frame G", "mesh B", "mesh Loose"}));
  EXPECT_STREQ(root->pMeshContainer->Name, "Loose");
  EXPECT_STREQ(root->pFrameFirstChild->pMeshContainer->pNextMeshContainer->Name, "B");
}

TEST_F(XFileTest, ManyVerticesTakeThirtyTwoBitIndices) {
  std::string text = std::string(kXHeader) + "Mesh Big { 70000;";
  for (int i = 0; i < 70000; ++i) text += "0;0;0;,";
  text += "; 1; 3;0,69998,69999;; }";
  ASSERT_EQ(LoadText(text), S_OK);
  ID3DXMesh* mesh = root->pMeshContainer->MeshData.pMesh;
  EXPECT_TRUE(mesh->GetOptions() & D3DXMESH_32BIT);
  EXPECT_EQ(Indices(mesh), (std::vector<DWORD>{0, 69998, 69999}));
}

TEST_F(XFileTest, BoundingSphereCoversTheVerticesAsTheFramesPlaceThem) {
  // A scale of 2 at the root, a move of (10, 0, 0) below it: the points
  // (0,0,0) to (1,1,0) land on (20,0,0) to (22,2,0).
  std::string text = std::string(kXHeader) +
                     "Frame Root { FrameTransformMatrix { 2,0,0,0, 0,2,0,0, 0,0,2,0, 0,0,0,1;; }"
                     " Frame Moved { FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 10,0,0,1;; }"
                     " Mesh { 3; 0;0;0;, 1;0;0;, 1;1;0;; 1; 3;0,1,2;; } } }";
  ASSERT_EQ(LoadText(text), S_OK);
  D3DXVECTOR3 center;
  float radius = 0;
  ASSERT_EQ(D3DXFrameCalculateBoundingSphere(root, &center, &radius), S_OK);
  EXPECT_FLOAT_EQ(center.x, 21);
  EXPECT_FLOAT_EQ(center.y, 1);
  EXPECT_FLOAT_EQ(radius, std::sqrt(2.0f));
}

TEST_F(XFileTest, InconsistentMeshesFailWithNothingLeftBehind) {
  const std::string triangle = "3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; ";
  const std::string identity = "1,0,0,0,0,1,0,0,0,0,1,0,0,0,0,1;;";
  const std::string material = "Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; }";
  const std::string bodies[] = {
      "3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,3;;",  // index past the vertices
      "3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 2;0,1;;",    // a face of two corners
      "3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,-2;;",
      "3; 0;0;0;, 1;0;0;, nan;1;0;; 1; 3;0,1,2;;",
      "0;; 0;;",
      "4294967295; 0;0;0;; 1; 3;0,0,0;;",  // counts the file cannot hold
      "3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 4000000000; 0,1,2;;",
      "3; 0;0;0;, 1;0;0;, 0;1;0;; 2000000000; 3;0,1,2;;",
      triangle + "MeshNormals { 1; 0;0;1;; 2; 3;0,0,0;, 3;0,0,0;; }",
      triangle + "MeshNormals { 1; 0;0;1;; 1; 3;0,0,1;; }",
      triangle + "MeshNormals { 1; 0;0;1;; 1; 4;0,0,0,0;; }",
      triangle + "MeshTextureCoords { 2; 0;0;, 1;1;; }",
      triangle + "MeshMaterialList { 1; 1; 1;; " + material + " }",
      triangle + "MeshMaterialList { 2; 1; 0;; " + material + " }",
      triangle + "MeshMaterialList { 1; 1; 0;; { Unknown } }",
      triangle + "SkinWeights { \"B\"; 1; 3; 1.0; " + identity + " }",
      triangle + "SkinWeights { \"B\"; 2; 1,1; 1.0,1.0; " + identity + " }",
      triangle + "SkinWeights { B; 1; 1; 1.0; " + identity + " }",
  };
  for (const std::string& body : bodies) {
    EXPECT_TRUE(FAILED(LoadText(kXHeader + ("Frame F { Mesh { " + body + " } }")))) << body;
    EXPECT_EQ(root, nullptr);
    EXPECT_EQ(allocator.liveFrames + allocator.liveContainers, 0) << body;
  }
}
