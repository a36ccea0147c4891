#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <numeric>

#include "platform/d3dx9/skin_blend_work.h"
#include "tests/mesh/mesh_helpers.h"

namespace {

struct Blended {  // D3DFVF_XYZB1 | D3DFVF_NORMAL | D3DFVF_TEX1
  float x, y, z, w0, nx, ny, nz, u, v;
};

// A corner as the device blends it: its source vertex (vertex i sits at
// x = i) and the weight each bone gets, bones of no weight left out.
struct Corner {
  float x;
  std::map<DWORD, float> weights;
  auto operator<=>(const Corner&) const = default;
};
using Face = std::vector<Corner>;
using Influences = std::vector<std::map<DWORD, float>>;  // per source vertex

// The source faces given by their corners, each corner with its influences;
// sorted.
std::vector<Face> SourceFaces(const std::vector<DWORD>& corners, const Influences& influences) {
  std::vector<Face> faces;
  for (std::size_t i = 0; i < corners.size(); i += 3) {
    Face face;
    for (std::size_t k = i; k < i + 3; ++k)
      face.push_back({float(corners[k]), influences[corners[k]]});
    faces.push_back(face);
  }
  std::sort(faces.begin(), faces.end());
  return faces;
}

// The weights of the strip of three faces the tests below share.
const Influences kStrip = {{{0, 1}}, {{0, 1}}, {{0, 0.5f}, {1, 0.5f}}, {{0, 0.25f}, {1, 0.75f}}, {{1, 1}}};

class SkinTest : public ::testing::Test {
 protected:
  void TearDown() override {
    ReleaseMeshes();
    EXPECT_EQ(RefCount(device), 1u);
    device->Release();
  }
  void ReleaseMeshes() {
    if (blended) blended->Release();
    if (table) table->Release();
    if (mesh) mesh->Release();
    if (skin) skin->Release();
    blended = nullptr, table = nullptr, mesh = nullptr, skin = nullptr;
  }
  // Vertex i sits at (i, 0, 0) with normal (0, 0, -i) and texture (i, 2i).
  void MakeSkinnedMesh(DWORD vertices, const std::vector<WORD>& indices,
                       const std::vector<DWORD>& attributes, DWORD bones) {
    std::vector<Vertex> v;
    for (DWORD i = 0; i < vertices; ++i)
      v.push_back({float(i), 0, 0, 0, 0, -float(i), float(i), 2.0f * i});
    mesh = MakeMesh(device, v, indices, attributes);
    ASSERT_NE(mesh, nullptr);
    ASSERT_EQ(D3DXCreateSkinInfoFVF(vertices, VertexFvf, bones, &skin), S_OK);
  }
  void Influence(DWORD bone, std::vector<DWORD> vertices, std::vector<float> weights) {
    ASSERT_EQ(skin->SetBoneInfluence(bone, DWORD(vertices.size()), vertices.data(), weights.data()),
              S_OK);
  }
  // Converts a mesh of separate faces, face f moved by bone boneOf[f] alone;
  // how many combinations the planning tried its faces against.
  u64 ConvertFacesOfOneBoneEach(const std::vector<DWORD>& boneOf, DWORD bones) {
    const DWORD faces = DWORD(boneOf.size());
    std::vector<WORD> indices(3 * faces);
    std::iota(indices.begin(), indices.end(), WORD{0});
    MakeSkinnedMesh(3 * faces, indices, std::vector<DWORD>(faces, 0), bones);
    std::vector<std::vector<DWORD>> moved(bones);
    for (DWORD v = 0; v < 3 * faces; ++v) moved[boneOf[v / 3]].push_back(v);
    for (DWORD b = 0; b < bones; ++b)
      Influence(b, moved[b], std::vector<float>(moved[b].size(), 1));
    const u64 before = BoneCombinationsTried;
    EXPECT_EQ(Convert(), S_OK);
    return BoneCombinationsTried - before;
  }
  HRESULT Convert() {
    return skin->ConvertToBlendedMesh(mesh, D3DXMESH_MANAGED | D3DXMESHOPT_VERTEXCACHE, nullptr,
                                      nullptr, nullptr, nullptr, &maxInfluences, &groups, &table,
                                      &blended);
  }
  D3DXBONECOMBINATION* Combinations() {
    return static_cast<D3DXBONECOMBINATION*>(table->GetBufferPointer());
  }
  // What drawing combination g shows, sorted: the stored weights of the
  // slots it uses but the last, whose weight the blending takes as one minus
  // the others.
  std::vector<Face> Drawn(DWORD g) {
    const D3DXBONECOMBINATION& c = Combinations()[g];
    DWORD used = 0;
    for (DWORD s = 0; s < maxInfluences; ++s)
      if (c.BoneId[s] != 0xFFFFFFFF) used = s + 1;
    device->calls.clear();
    EXPECT_EQ(blended->DrawSubset(g), S_OK);
    BYTE* vertices;
    blended->LockVertexBuffer(D3DLOCK_READONLY, reinterpret_cast<void**>(&vertices));
    std::vector<Face> faces;
    for (const Triangle& triangle : DrawnTriangles(*device)) {
      Face face;
      for (DWORD v : triangle) {
        const float* at = reinterpret_cast<const float*>(vertices + v * blended->GetNumBytesPerVertex());
        Corner corner{at[0], {}};
        float rest = 1;
        for (DWORD s = 0; s < used; ++s) {
          float w = s + 1 < used ? at[3 + s] : rest;
          rest -= w;
          if (w != 0) corner.weights[c.BoneId[s]] = w;
        }
        face.push_back(corner);
      }
      faces.push_back(face);
    }
    blended->UnlockVertexBuffer();
    std::sort(faces.begin(), faces.end());
    return faces;
  }

  RecordingDevice* device = new RecordingDevice();
  ID3DXMesh* mesh = nullptr;
  ID3DXSkinInfo* skin = nullptr;
  ID3DXMesh* blended = nullptr;
  ID3DXBuffer* table = nullptr;
  DWORD maxInfluences = 99, groups = 99;
};

TEST_F(SkinTest, KeepsBoneNamesOffsetsAndInfluencesInRange) {
  MakeSkinnedMesh(3, {0, 1, 2}, {0}, 2);
  EXPECT_EQ(skin->GetBoneName(0), nullptr);
  ASSERT_EQ(skin->SetBoneName(1, "Arm"), S_OK);
  EXPECT_STREQ(skin->GetBoneName(1), "Arm");
  EXPECT_EQ(skin->GetBoneName(2), nullptr);
  EXPECT_TRUE(D3DXMatrixIsIdentity(skin->GetBoneOffsetMatrix(0)));
  EXPECT_EQ(skin->GetBoneOffsetMatrix(2), nullptr);
  const DWORD past[1] = {3}, vertices[1] = {0};
  const float one[1] = {1};
  EXPECT_LT(skin->SetBoneInfluence(1, 1, past, one), 0);      // no vertex 3
  EXPECT_LT(skin->SetBoneInfluence(2, 1, vertices, one), 0);  // no bone 2
  EXPECT_EQ(skin->GetNumBoneInfluences(1), 0u);
}

TEST_F(SkinTest, BlendsTwoBonesInOneCombination) {
  // A strip of three faces; vertices 2 and 3 are shared by both bones.
  MakeSkinnedMesh(5, {0, 1, 2, 1, 3, 2, 2, 3, 4}, {0, 0, 0}, 2);
  Influence(0, {0, 1, 2, 3}, {1, 1, 0.5f, 0.25f});
  Influence(1, {2, 3, 4}, {0.5f, 0.75f, 1});
  ASSERT_EQ(Convert(), S_OK);
  EXPECT_EQ(maxInfluences, 2u);
  ASSERT_EQ(groups, 1u);
  D3DXBONECOMBINATION c = Combinations()[0];
  EXPECT_EQ((std::vector<DWORD>{c.AttribId, c.FaceStart, c.FaceCount, c.VertexStart,
                                c.VertexCount, c.BoneId[0], c.BoneId[1]}),
            (std::vector<DWORD>{0, 0, 3, 0, 5, 0, 1}));
  // The bone slots follow the table in the one buffer.
  EXPECT_EQ(table->GetBufferSize(), sizeof(D3DXBONECOMBINATION) + 2 * sizeof(DWORD));
  const BYTE* base = static_cast<const BYTE*>(table->GetBufferPointer());
  EXPECT_EQ(reinterpret_cast<const BYTE*>(c.BoneId), base + sizeof(D3DXBONECOMBINATION));

  EXPECT_EQ(blended->GetFVF(), DWORD{D3DFVF_XYZB1 | D3DFVF_NORMAL | D3DFVF_TEX1});
  // Every face is drawn with its corners' own weights, normals and textures.
  EXPECT_EQ(Drawn(0), SourceFaces({0, 1, 2, 1, 3, 2, 2, 3, 4}, kStrip));
  for (const Blended& v : Contents<Blended>(blended, false))
    EXPECT_EQ((std::vector<float>{v.nz, v.v}), (std::vector<float>{-v.x, 2 * v.x}));
}

TEST_F(SkinTest, SplitsMaterialsAndDuplicatesSharedVertices) {
  MakeSkinnedMesh(5, {0, 1, 2, 1, 3, 2, 2, 3, 4}, {0, 1, 0}, 2);
  Influence(0, {0, 1, 2, 3}, {1, 1, 0.5f, 0.25f});
  Influence(1, {2, 3, 4}, {0.5f, 0.75f, 1});
  ASSERT_EQ(Convert(), S_OK);
  ASSERT_EQ(groups, 2u);
  D3DXBONECOMBINATION* c = Combinations();
  EXPECT_EQ((std::vector<DWORD>{c[0].FaceCount, c[0].VertexCount, c[1].AttribId, c[1].FaceStart,
                                c[1].FaceCount, c[1].VertexStart, c[1].VertexCount}),
            (std::vector<DWORD>{2, 5, 1, 2, 1, 5, 3}));
  // Vertices 1, 2 and 3 are shared across the materials: each combination
  // draws its own copies, with the same weights.
  EXPECT_EQ(Drawn(0), SourceFaces({0, 1, 2, 2, 3, 4}, kStrip));
  EXPECT_EQ(Drawn(1), SourceFaces({1, 3, 2}, kStrip));
}

TEST_F(SkinTest, OrdersEachCopysWeightsByItsCombinationsSlots) {
  // Face 0 needs bones 0 and 1, face 1 bones 1 and 2: two slots each, so two
  // combinations, and vertices 1 and 2 appear in both.
  MakeSkinnedMesh(4, {0, 1, 2, 1, 3, 2}, {0, 0}, 3);
  Influence(0, {0}, {1});
  Influence(1, {1, 2}, {1, 1});
  Influence(2, {3}, {1});
  ASSERT_EQ(Convert(), S_OK);
  EXPECT_EQ(maxInfluences, 2u);
  ASSERT_EQ(groups, 2u);
  D3DXBONECOMBINATION* c = Combinations();
  EXPECT_EQ((std::vector<DWORD>{c[0].BoneId[0], c[0].BoneId[1], c[1].BoneId[0], c[1].BoneId[1]}),
            (std::vector<DWORD>{0, 1, 1, 2}));
  // Vertices 1 and 2 are in both, weighted by each combination's own slots.
  const Influences influences = {{{0, 1}}, {{1, 1}}, {{1, 1}}, {{2, 1}}};
  EXPECT_EQ(Drawn(0), SourceFaces({0, 1, 2}, influences));
  EXPECT_EQ(Drawn(1), SourceFaces({1, 3, 2}, influences));
}

TEST_F(SkinTest, MarksSlotsNoBoneUses) {
  // Material 1's face has no bones at all; material 0's needs three.
  MakeSkinnedMesh(6, {0, 1, 2, 3, 4, 5}, {0, 1}, 3);
  for (DWORD b = 0; b < 3; ++b) Influence(b, {b}, {1});
  ASSERT_EQ(Convert(), S_OK);
  EXPECT_EQ(maxInfluences, 3u);
  ASSERT_EQ(groups, 2u);
  EXPECT_EQ(blended->GetFVF(), DWORD{D3DFVF_XYZB2 | D3DFVF_NORMAL | D3DFVF_TEX1});
  D3DXBONECOMBINATION* c = Combinations();
  for (DWORD s = 0; s < 3; ++s) {
    EXPECT_EQ(c[0].BoneId[s], s);
    EXPECT_EQ(c[1].BoneId[s], 0xFFFFFFFFu);
  }
}

TEST_F(SkinTest, FailsCleanlyOnWhatItCannotBlend) {
  // One face touching seven bones needs more weights than a vertex holds.
  MakeSkinnedMesh(3, {0, 1, 2}, {0}, 7);
  for (DWORD b = 0; b < 7; ++b) Influence(b, {b % 3}, {0.25f});
  EXPECT_LT(Convert(), 0);
  EXPECT_TRUE(blended == nullptr && table == nullptr && groups == 0);
  // Skin information for another vertex count.
  skin->Release();
  ASSERT_EQ(D3DXCreateSkinInfoFVF(4, VertexFvf, 1, &skin), S_OK);
  EXPECT_LT(Convert(), 0);
  EXPECT_EQ(blended, nullptr);
  // The device cannot make the blended mesh: its failure comes back.
  skin->Release();
  ASSERT_EQ(D3DXCreateSkinInfoFVF(3, VertexFvf, 1, &skin), S_OK);
  device->failures["CreateVertexBuffer"] = D3DERR_OUTOFVIDEOMEMORY;
  EXPECT_EQ(Convert(), D3DERR_OUTOFVIDEOMEMORY);
  EXPECT_EQ(blended, nullptr);
  device->failures.clear();
  // The source mesh stays usable and unlocked.
  EXPECT_EQ(Convert(), S_OK);
  EXPECT_EQ(maxInfluences, 0u);
  EXPECT_EQ(blended->GetFVF(), VertexFvf);
}

TEST_F(SkinTest, PlanningTriesNoMoreCombinationsPerFaceAsTheFacesGrow) {
  // Each face has a bone of its own, so each needs a combination of its own:
  // trying every face against every earlier combination would cost four
  // times as much per face at four times the faces.
  double triedPerFace[2];
  const DWORD faces[2] = {1000, 4000};
  for (int i = 0; i < 2; ++i) {
    std::vector<DWORD> boneOf(faces[i]);
    std::iota(boneOf.begin(), boneOf.end(), DWORD{0});
    triedPerFace[i] = double(ConvertFacesOfOneBoneEach(boneOf, faces[i])) / faces[i];
    EXPECT_EQ(groups, faces[i]);
    ReleaseMeshes();
  }
  EXPECT_LT(triedPerFace[1], 1.25 * triedPerFace[0]);
}

TEST_F(SkinTest, AFaceJoinsTheCombinationHoldingItsBonesHoweverOld) {
  // A hundred faces of a bone each, then a hundred more with the same bones
  // in the same order: each of these joins its bone's first combination.
  std::vector<DWORD> boneOf(200);
  for (DWORD f = 0; f < 200; ++f) boneOf[f] = f % 100;
  ConvertFacesOfOneBoneEach(boneOf, 100);
  ASSERT_EQ(groups, 100u);
  for (DWORD g = 0; g < groups; ++g)
    EXPECT_EQ((std::vector<DWORD>{Combinations()[g].BoneId[0], Combinations()[g].FaceCount}),
              (std::vector<DWORD>{g, 2}));
}

}  // namespace
