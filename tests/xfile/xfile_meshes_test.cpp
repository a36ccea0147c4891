// Meshes of .x files as the allocator receives them: vertices, faces,
// normals, texture coordinates, materials, skin, and the failures.
#include <cmath>
#include <cstring>
#include <vector>

#include "tests/xfile/xfile_fixture.h"

namespace {

using Calls = std::vector<std::string>;


std::vector<D3DXVECTOR3> Positions(ID3DXMesh* mesh) {
  std::vector<D3DXVECTOR3> out(mesh->GetNumVertices());
  void* data = nullptr;
  EXPECT_EQ(mesh->LockVertexBuffer(D3DLOCK_READONLY, &data), S_OK);
  for (std::size_t i = 0; i < out.size(); ++i)
    std::memcpy(&out[i], static_cast<BYTE*>(data) + i * mesh->GetNumBytesPerVertex(), 12);
  mesh->UnlockVertexBuffer();
  return out;
}

// The `offset`th float after the position of every vertex.
std::vector<float> FloatsAt(ID3DXMesh* mesh, int offset) {
  std::vector<float> out(mesh->GetNumVertices());
  void* data = nullptr;
  mesh->LockVertexBuffer(D3DLOCK_READONLY, &data);
  for (std::size_t i = 0; i < out.size(); ++i)
    std::memcpy(&out[i], static_cast<BYTE*>(data) + i * mesh->GetNumBytesPerVertex() + 12 + 4 * offset, 4);
  mesh->UnlockVertexBuffer();
  return out;
}

std::vector<DWORD> Indices(ID3DXMesh* mesh) {
  std::vector<DWORD> out(mesh->GetNumFaces() * 3);
  void* data = nullptr;
  EXPECT_EQ(mesh->LockIndexBuffer(D3DLOCK_READONLY, &data), S_OK);
  for (std::size_t i = 0; i < out.size(); ++i)
    out[i] = mesh->GetOptions() & D3DXMESH_32BIT ? static_cast<DWORD*>(data)[i] : static_cast<WORD*>(data)[i];
  mesh->UnlockIndexBuffer();
  return out;
}

std::vector<DWORD> Attributes(ID3DXMesh* mesh) {
  DWORD* data = nullptr;
  EXPECT_EQ(mesh->LockAttributeBuffer(D3DLOCK_READONLY, &data), S_OK);
  std::vector<DWORD> out(data, data + mesh->GetNumFaces());
  mesh->UnlockAttributeBuffer();
  return out;
}

TestMeshContainer* Container(D3DXFRAME* frame) { return static_cast<TestMeshContainer*>(frame->pMeshContainer); }

void ExpectColor(const D3DCOLORVALUE& c, float r, float g, float b, float a) {
  EXPECT_FLOAT_EQ(c.r, r);
  EXPECT_FLOAT_EQ(c.g, g);
  EXPECT_FLOAT_EQ(c.b, b);
  EXPECT_FLOAT_EQ(c.a, a);
}

// A quad and a pentagon without normals, in an unnamed frame.
const char kPolygons[] = R"(
Frame {
  Mesh {
    7;
    0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;, 2;0;0;, 3;1;0;, 2;2;0;;
    2;
    4;0,1,2,3;,
    5;1,4,5,6,2;;
  }
}
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
      Material Red {
        1.0;0.0;0.0;0.5;;
        12.5;
        0.25;0.5;0.75;;
        0.1;0.2;0.3;;
        TextureFilename { "red.png"; }
      }
      Material { 0;0;1;1;; 0; 0;0;0;; 0;0;0;; }
      { Shared }
    }
  }
}
)";

// Two triangles sharing an edge, each with its own flat normal.
const char kFolded[] = R"(
Frame Fold {
  Mesh Folded {
    4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;1;;
    2; 3;0,1,2;, 3;0,2,3;;
    MeshNormals {
      3; 0;0;1;, 0;1;0;, 0;0;1;;
      2; 3;0,0,2;, 3;1,1,1;;
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
  ASSERT_NE(piece, nullptr);
  EXPECT_EQ(piece->Name, nullptr);
  EXPECT_EQ(piece->pNextMeshContainer, nullptr);
  ID3DXMesh* mesh = piece->MeshData.pMesh;
  EXPECT_EQ(piece->MeshData.Type, D3DXMESHTYPE_MESH);
  EXPECT_EQ(mesh->GetFVF(), DWORD(D3DFVF_XYZ));
  EXPECT_EQ(mesh->GetOptions() & D3DXMESH_MANAGED, DWORD(D3DXMESH_MANAGED));
  ASSERT_EQ(mesh->GetNumVertices(), 7u);
  std::vector<D3DXVECTOR3> positions = Positions(mesh);
  EXPECT_EQ(positions[5].x, 3);
  EXPECT_EQ(positions[6].y, 2);
  EXPECT_EQ(Indices(mesh), (std::vector<DWORD>{0, 1, 2, 0, 2, 3, 1, 4, 5, 1, 5, 6, 1, 6, 2}));
  EXPECT_EQ(Attributes(mesh), (std::vector<DWORD>(5, 0)));
  EXPECT_EQ(piece->NumMaterials, 0u);
  EXPECT_EQ(piece->adjacency, (std::vector<DWORD>(15, 0xFFFFFFFF)));
  EXPECT_EQ(piece->pSkinInfo, nullptr);
}

TEST_F(XFileTest, MaterialsTexturesAndTextureCoordinates) {
  ASSERT_EQ(LoadText(kXHeader + std::string(kTwoMaterials)), S_OK);
  EXPECT_EQ(allocator.calls, (Calls{"frame Box", "mesh BoxMesh"}));
  TestMeshContainer* piece = Container(root);
  ASSERT_EQ(piece->NumMaterials, 3u);
  const D3DMATERIAL9& red = piece->materials[0].MatD3D;
  ExpectColor(red.Diffuse, 1, 0, 0, 0.5f);
  ExpectColor(red.Ambient, 0, 0, 0, 0);
  ExpectColor(red.Specular, 0.25f, 0.5f, 0.75f, 1);
  ExpectColor(red.Emissive, 0.1f, 0.2f, 0.3f, 1);
  EXPECT_FLOAT_EQ(red.Power, 12.5f);
  ExpectColor(piece->materials[1].MatD3D.Diffuse, 0, 0, 1, 1);
  ExpectColor(piece->materials[2].MatD3D.Diffuse, 0.5f, 0.5f, 0.5f, 1);
  EXPECT_EQ(piece->textureNames, (std::vector<std::string>{"red.png", "", "shared.jpg"}));

  ID3DXMesh* mesh = piece->MeshData.pMesh;
  EXPECT_EQ(mesh->GetFVF(), DWORD(D3DFVF_XYZ | D3DFVF_TEX1));
  // Two face indices for three faces: the last one goes on.
  EXPECT_EQ(Attributes(mesh), (std::vector<DWORD>{1, 0, 0}));
  EXPECT_EQ(FloatsAt(mesh, 0), (std::vector<float>{0, 1, 1, 0}));  // u
  EXPECT_EQ(FloatsAt(mesh, 1), (std::vector<float>{0, 0, 1, 0.25f}));  // v
}

TEST_F(XFileTest, NormalsSplitAPositionOnlyWhereTheyDiffer) {
  ASSERT_EQ(LoadText(kXHeader + std::string(kFolded)), S_OK);
  ID3DXMesh* mesh = Container(root)->MeshData.pMesh;
  EXPECT_EQ(mesh->GetFVF(), DWORD(D3DFVF_XYZ | D3DFVF_NORMAL));
  // Positions 0 and 2 meet normal (0,1,0) in the second face: two extra
  // vertices. Normals 0 and 2 are equal, so position 2 is not split by them.
  ASSERT_EQ(mesh->GetNumVertices(), 6u);
  EXPECT_EQ(Indices(mesh), (std::vector<DWORD>{0, 1, 2, 4, 5, 3}));
  std::vector<D3DXVECTOR3> positions = Positions(mesh);
  EXPECT_EQ(positions[4].x, 0);
  EXPECT_EQ(positions[5].x, 1);
  EXPECT_EQ(positions[5].y, 1);
  EXPECT_EQ(FloatsAt(mesh, 2), (std::vector<float>{1, 1, 1, 0, 0, 0}));  // normal z
  EXPECT_EQ(FloatsAt(mesh, 1), (std::vector<float>{0, 0, 0, 1, 1, 1}));  // normal y
}

TEST_F(XFileTest, SkinWeightsGiveBonesOffsetsAndInfluences) {
  ASSERT_EQ(LoadText(kXHeader + std::string(kSkinned)), S_OK);
  EXPECT_EQ(allocator.calls, (Calls{"frame Root", "frame Bone1", "frame Bone2", "mesh Skin"}));
  TestMeshContainer* piece = Container(root);
  ID3DXSkinInfo* skin = piece->pSkinInfo;
  ASSERT_NE(skin, nullptr);
  ASSERT_EQ(skin->GetNumBones(), 2u);
  EXPECT_STREQ(skin->GetBoneName(0), "Bone1");
  EXPECT_STREQ(skin->GetBoneName(1), "Bone2");
  EXPECT_EQ(skin->GetBoneOffsetMatrix(0)->_42, -1);
  EXPECT_EQ(skin->GetBoneOffsetMatrix(1)->_11, 2);

  // Position 0 meets normal 1 in the second face and becomes vertices 0 and
  // 4; its weight goes with both.
  ID3DXMesh* mesh = piece->MeshData.pMesh;
  ASSERT_EQ(mesh->GetNumVertices(), 5u);
  EXPECT_EQ(Indices(mesh), (std::vector<DWORD>{0, 1, 2, 4, 2, 3}));
  ASSERT_EQ(skin->GetNumBoneInfluences(0), 4u);
  std::vector<DWORD> vertices(4);
  std::vector<float> weights(4);
  ASSERT_EQ(skin->GetBoneInfluence(0, vertices.data(), weights.data()), S_OK);
  EXPECT_EQ(vertices, (std::vector<DWORD>{0, 4, 1, 2}));
  EXPECT_EQ(weights, (std::vector<float>{1, 1, 0.5f, 0.25f}));
  ASSERT_EQ(skin->GetNumBoneInfluences(1), 2u);
  ASSERT_EQ(skin->GetBoneInfluence(1, vertices.data(), weights.data()), S_OK);
  EXPECT_EQ(vertices[1], 3u);
  EXPECT_EQ(weights[1], 1.0f);
}

TEST_F(XFileTest, TheLoadedSkinTurnsTheMeshIntoABlendedOne) {
  ASSERT_EQ(LoadText(kXHeader + std::string(kSkinned)), S_OK);
  TestMeshContainer* piece = Container(root);
  DWORD influences = 0, groups = 0;
  ID3DXBuffer* combinations = nullptr;
  ID3DXMesh* blended = nullptr;
  ASSERT_EQ(piece->pSkinInfo->ConvertToBlendedMesh(piece->MeshData.pMesh, D3DXMESH_MANAGED, piece->pAdjacency,
                                                   nullptr, nullptr, nullptr, &influences, &groups, &combinations,
                                                   &blended),
            S_OK);
  EXPECT_EQ(blended->GetNumFaces(), 2u);
  EXPECT_EQ(blended->GetNumVertices(), 5u);
  EXPECT_GE(groups, 1u);
  EXPECT_EQ(influences, 2u);
  blended->Release();
  combinations->Release();
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
  D3DXFRAME* f = root->pFrameFirstChild;
  EXPECT_STREQ(f->pMeshContainer->Name, "A");
  EXPECT_STREQ(f->pMeshContainer->pNextMeshContainer->Name, "B");
  allocator.calls.clear();
  D3DXFrameDestroy(root, &allocator);
  root = nullptr;
  EXPECT_EQ(allocator.calls, (Calls{"destroy mesh Loose", "destroy mesh A", "destroy mesh B", "destroy frame G",
                                    "destroy frame F", "destroy frame -"}));
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
  EXPECT_FLOAT_EQ(center.z, 0);
  EXPECT_FLOAT_EQ(radius, std::sqrt(2.0f));
}

TEST_F(XFileTest, InconsistentMeshesFailWithNothingLeftBehind) {
  const char* bodies[] = {
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,3;; }",                     // index past the vertices
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 2;0,1;; }",                       // a face of two corners
      "Mesh { 0;; 0;; }",                                                     // empty
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; MeshNormals { 1; 0;0;1;; 2; 3;0,0,0;, 3;0,0,0;; } }",
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; MeshNormals { 1; 0;0;1;; 1; 3;0,0,1;; } }",
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; MeshNormals { 1; 0;0;1;; 1; 4;0,0,0,0;; } }",
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; MeshTextureCoords { 2; 0;0;, 1;1;; } }",
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; MeshMaterialList { 1; 1; 1;; Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } } }",
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; MeshMaterialList { 2; 1; 0;; Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } } }",
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; MeshMaterialList { 1; 1; 0;; { Unknown } } }",
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; SkinWeights { \"B\"; 1; 3; 1.0; 1,0,0,0,0,1,0,0,0,0,1,0,0,0,0,1;; } }",
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; SkinWeights { \"B\"; 2; 1,1; 1.0,1.0; 1,0,0,0,0,1,0,0,0,0,1,0,0,0,0,1;; } }",
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; SkinWeights { B; 1; 1; 1.0; 1,0,0,0,0,1,0,0,0,0,1,0,0,0,0,1;; } }",
      "Mesh { 4294967295; 0;0;0;; 1; 3;0,0,0;; }",                             // counts the file cannot hold
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 4000000000; 0,1,2;; }",
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 2000000000; 3;0,1,2;; }",
      "Mesh { 3; 0;0;0;, 1;0;0;, nan;1;0;; 1; 3;0,1,2;; }",
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,-2;; }",
  };
  for (const char* body : bodies) {
    std::string text = std::string(kXHeader) + "Frame F { " + body + " }";
    EXPECT_TRUE(FAILED(LoadText(text))) << body;
    EXPECT_EQ(root, nullptr);
    EXPECT_EQ(allocator.liveFrames, 0) << body;
    EXPECT_EQ(allocator.liveContainers, 0) << body;
  }
}

TEST_F(XFileTest, AFailingMeshContainerFreesTheFramesAndMeshesBeforeIt) {
  std::string text = std::string(kXHeader) + kSkinned;
  for (int failAt = 0; failAt < 4; ++failAt) {
    allocator = RecordingAllocator();
    allocator.failCreateAt = failAt;
    EXPECT_EQ(LoadText(text), E_OUTOFMEMORY) << failAt;
    EXPECT_EQ(allocator.liveFrames, 0);
    EXPECT_EQ(allocator.liveContainers, 0);
  }
}
