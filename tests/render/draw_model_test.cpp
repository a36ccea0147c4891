// Drawing a model through the recording device: the walk over the frame
// tree, where unskinned pieces are placed, and the two skinned passes.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "render/draw_model.h"
#include "tests/render/tagged_mesh.h"
#include "world/scene.h"

namespace {

constexpr DWORD Unused = 0xFFFFFFFF;

// A piece whose material i has diffuse red i; skinned pieces carry bone
// groups (slot lists, unused slots as Unused) with their attributes.
struct TestPiece {
  ModelPiece piece{};
  std::vector<D3DXMATERIAL> materials;
  std::vector<IDirect3DTexture9*> textures;
  std::vector<std::vector<DWORD>> slots;
  std::vector<D3DXMATRIX> offsets;
  std::vector<D3DXMATRIX> bones;
  std::vector<D3DXMATRIX*> links;

  TestPiece(RecordingDevice* device, int tag, DWORD materialCount) {
    materials.resize(materialCount);
    for (DWORD i = 0; i < materialCount; ++i) materials[i].MatD3D.Diffuse.r = float(i);
    textures.assign(materialCount, nullptr);
    piece.MeshData.pMesh = new TaggedMesh(device, tag);
    piece.pMaterials = materials.data();
    piece.NumMaterials = materialCount;
    piece.Textures = textures.data();
  }
  ~TestPiece() {
    piece.MeshData.pMesh->Release();
    if (piece.BoneCombinations) piece.BoneCombinations->Release();
    if (piece.pSkinInfo) piece.pSkinInfo->Release();
  }

  // Bone k's offset moves x by k; its frame moves y by 10 k.
  void Skin(const std::vector<std::vector<DWORD>>& groupSlots, const std::vector<DWORD>& attributes,
            u32 firstSoftwareGroup) {
    slots = groupSlots;
    const DWORD boneCount = 8;
    D3DXCreateSkinInfoFVF(0, D3DFVF_XYZ, boneCount, &piece.pSkinInfo);
    offsets.resize(boneCount);
    bones.resize(boneCount);
    for (DWORD k = 0; k < boneCount; ++k) {
      D3DXMatrixTranslation(&offsets[k], float(k), 0, 0);
      D3DXMatrixTranslation(&bones[k], 0, 10.0f * float(k), 0);
      links.push_back(&bones[k]);
    }
    piece.BoneOffsets = offsets.data();
    piece.BoneMatrixLinks = links.data();
    piece.GroupCount = u32(slots.size());
    piece.MaxInfluences = u32(slots[0].size());
    piece.FirstSoftwareGroup = firstSoftwareGroup;
    D3DXCreateBuffer(DWORD(sizeof(D3DXBONECOMBINATION) * slots.size()), &piece.BoneCombinations);
    auto* table = static_cast<D3DXBONECOMBINATION*>(piece.BoneCombinations->GetBufferPointer());
    for (size_t g = 0; g < slots.size(); ++g) {
      table[g].AttribId = attributes[g];
      table[g].BoneId = slots[g].data();
    }
  }
};

D3DXVECTOR3 Transform(const D3DMATRIX& m, D3DXVECTOR3 p) {
  return {p.x * m._11 + p.y * m._21 + p.z * m._31 + m._41,
          p.x * m._12 + p.y * m._22 + p.z * m._32 + m._42,
          p.x * m._13 + p.y * m._23 + p.z * m._33 + m._43};
}

// The calls a skinned piece makes, in a short text: "W1:3" sets world
// matrix 1 to bone 3 (offset × frame), "B2" the blend count, "M1" material
// 1, "D0" subset 0, "S1"/"S0" software vertex processing on and off.
std::string Trace(const RecordingDevice& device) {
  std::string out;
  for (const RecordedCall& c : device.calls) {
    std::string step;
    if (c.op == "SetTransform") {
      const int bone = int(std::lround(c.matrix._41));
      step = "W" + std::to_string(c.args[0] - 256) + ":" + std::to_string(bone);
      EXPECT_FLOAT_EQ(c.matrix._42, 10.0f * float(bone)) << "offset × the bone's frame";
    } else if (c.op == "SetRenderState" && c.args[0] == D3DRS_VERTEXBLEND) {
      step = "B" + std::to_string(c.args[1]);
    } else if (c.op == "SetMaterial") {
      step = "M" + std::to_string(int(c.material.Diffuse.r));
    } else if (c.op == "DrawSubset") {
      step = "D" + std::to_string(c.args[0]);
    } else if (c.op == "SetSoftwareVertexProcessing") {
      step = "S" + std::to_string(c.args[0]);
    }
    if (!step.empty()) out += (out.empty() ? "" : " ") + step;
  }
  return out;
}

class DrawModelTest : public ::testing::Test {
 protected:
  void TearDown() override {
    delete CurrentScene;
    CurrentScene = nullptr;
    device->Release();
  }
  RecordingDevice* device = new RecordingDevice();
};

TEST_F(DrawModelTest, PiecesThenSiblingTreesThenChildren) {
  TestPiece p1(device, 1, 1), p2(device, 2, 1), p3(device, 3, 1), p4(device, 4, 1),
      p5(device, 5, 1);
  ModelFrame root{}, sibling{}, siblingChild{}, child{};
  root.pMeshContainer = &p1.piece;
  p1.piece.pNextMeshContainer = &p2.piece;
  root.pFrameSibling = &sibling;
  root.pFrameFirstChild = &child;
  sibling.pMeshContainer = &p3.piece;
  sibling.pFrameFirstChild = &siblingChild;
  siblingChild.pMeshContainer = &p4.piece;
  child.pMeshContainer = &p5.piece;
  GameObject object("ball", 0);
  DrawModelTree(device, &root, &object);
  std::vector<std::int64_t> order;
  for (const RecordedCall& c : device->CallsOf("DrawSubset")) order.push_back(c.args[1]);
  EXPECT_EQ(order, (std::vector<std::int64_t>{1, 2, 3, 4, 5}));
}

TEST_F(DrawModelTest, UnskinnedPiecesSitWhereTheObjectAndTheBoardPutThem) {
  struct Case {
    const char* type;
    Vec3 size;  // length, width, height
    Vec3 position, spin, rotation;
    bool boardTilted;
    D3DXVECTOR3 modelPoint, expected;
  };
  const float quarter = D3DX_PI / 2;
  const Case cases[] = {
      // A box's model turns about the box's centre.
      {"trigger", {2, 2, 2}, {4, 0, -4}, {0, quarter, 0}, {}, false, {1, 1, -1}, {5, 1, -5}},
      {"trigger", {2, 2, 2}, {4, 0, -4}, {}, {}, false, {0, 0, 0}, {4, 0, -4}},
      // A goal turns about its model's origin, put at the box's centre.
      {"goal", {2, 2, 2}, {4, 0, -4}, {}, {}, false, {0, 0, 0}, {5, 1, -5}},
      // Nothing to centre: the model origin at the position.
      {"trigger", {0, 0, 0}, {3, 1, 2}, {0, quarter, 0}, {}, false, {0, 0, 0}, {3, 1, 2}},
      // Rotations after spins: spun a quarter about y, then pitched about x.
      {"goal", {}, {}, {0, quarter, 0}, {quarter, 0, 0}, false, {1, 0, 0}, {0, 1, 0}},
      // The board tilt turns pieces about the world origin, not scenery.
      {"ball", {}, {5, 0, 0}, {}, {}, true, {0, 0, 0}, {0, 5, 0}},
      {"skybox", {}, {5, 0, 0}, {}, {}, true, {0, 0, 0}, {5, 0, 0}},
      {"title", {}, {5, 0, 0}, {}, {}, true, {0, 0, 0}, {0, 5, 0}},
  };
  for (const Case& c : cases) {
    CurrentScene = new Scene();
    CurrentScene->AddObject("map");
    if (c.boardTilted) CurrentScene->FindByType("map")->rotation = {0, 0, quarter};
    GameObject object(c.type, 1, c.size.x, c.size.y, c.size.z, c.position.x, c.position.y,
                      c.position.z);
    object.spin = c.spin;
    object.rotation = c.rotation;
    TestPiece piece(device, 1, 1);
    // A frame's own offset plays no part.
    ModelFrame root{};
    D3DXMatrixTranslation(&root.TransformationMatrix, 100, 100, 100);
    root.CombinedMatrix = root.TransformationMatrix;
    root.pMeshContainer = &piece.piece;
    device->calls.clear();
    DrawModelTree(device, &root, &object);
    const auto worlds = device->CallsOf("SetTransform");
    ASSERT_EQ(worlds.size(), 1u);
    EXPECT_EQ(worlds[0].args[0], D3DTS_WORLD);
    const D3DXVECTOR3 p = Transform(worlds[0].matrix, c.modelPoint);
    SCOPED_TRACE(std::string(c.type) + " at " + std::to_string(c.position.x));
    EXPECT_NEAR(p.x, c.expected.x, 1e-5);
    EXPECT_NEAR(p.y, c.expected.y, 1e-5);
    EXPECT_NEAR(p.z, c.expected.z, 1e-5);
    delete CurrentScene;
    CurrentScene = nullptr;
  }
}

TEST_F(DrawModelTest, UnskinnedPiecesDrawEachMaterialAndNothingWithoutAnObject) {
  TestPiece piece(device, 1, 3);
  ModelFrame root{};
  root.pMeshContainer = &piece.piece;
  GameObject object("ball", 0);
  DrawModelTree(device, &root, &object);
  EXPECT_EQ(Trace(*device), "W0:0 M0 D0 M1 D1 M2 D2");
  device->calls.clear();
  DrawModelTree(device, &root, nullptr);
  EXPECT_EQ(Trace(*device), "");
}

TEST_F(DrawModelTest, SkinnedGroupsTheDeviceCannotBlendGoToTheSoftwarePass) {
  struct Case {
    const char* name;
    DWORD maxBlend;
    std::vector<std::vector<DWORD>> slots;
    std::vector<DWORD> attributes;
    u32 firstSoftwareGroup;
    std::string trace;
  };
  const Case cases[] = {
      {"all fit, one material", 4, {{0, 1, Unused}, {2, Unused, Unused}}, {0, 0}, 2,
       "W0:0 W1:1 B1 M0 D0 W0:2 B0 D1 B0"},
      {"no bones at all", 1, {{Unused, Unused}}, {1}, 1, "B0 M1 D0 B0"},
      {"a slot left empty between", 4, {{3, Unused, 5}}, {0}, 1, "W0:3 W2:5 B2 M0 D0 B0"},
      {"second pass sets its material again", 2, {{0, Unused, Unused}, {1, 2, 3}, {4, Unused, Unused}},
       {0, 0, 0}, 1, "W0:0 B0 M0 D0 W0:4 B0 D2 S1 W0:1 W1:2 W2:3 B2 M0 D1 S0 B0"},
      {"six bones in software", 4, {{0, 1, 2, 3, 4, 5}}, {2}, 0,
       "S1 W0:0 W1:1 W2:2 W3:3 W4:4 W5:5 B5 M2 D0 S0 B0"},
      {"too wide before the first software group", 2, {{0, 1, 2}, {3, Unused, Unused}}, {0, 1}, 2,
       "W0:3 B0 M1 D1 B0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestPiece piece(device, 1, 3);
    piece.Skin(c.slots, c.attributes, c.firstSoftwareGroup);
    device->caps.MaxVertexBlendMatrices = c.maxBlend;
    ModelFrame root{};
    root.pMeshContainer = &piece.piece;
    device->calls.clear();
    DrawModelTree(device, &root, nullptr);
    EXPECT_EQ(Trace(*device), c.trace);
    EXPECT_EQ(device->softwareVertexProcessing, FALSE);
  }
}

}  // namespace
