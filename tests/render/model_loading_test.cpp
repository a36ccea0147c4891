// Whole models read from .x files made for these tests.
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <vector>

#include "render/model_loading.h"
#include "render/skinned_mesh.h"
#include "tests/files/temp_folder.h"
#include "tests/render/render_fixture.h"
#include "world/object_model.h"

namespace fs = std::filesystem;

namespace {

// A model of one triangle whose materials name the given texture files.
std::string ModelNaming(const std::vector<std::string>& textures) {
  std::string text = "xof 0303txt 0032\nMesh { 3; 0;0;0;, 0;1;0;, 1;0;0;; 1; 3;0,1,2;;\nMeshMaterialList { " +
                     std::to_string(textures.size()) + "; 1; 0;;\n";
  for (const std::string& texture : textures)
    text += "Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; TextureFilename { \"" + texture + "\"; } }\n";
  return text + "} }\n";
}

// The game's floor JPEG with a header that claims side x side pixels; the
// decoder makes them all, grey past the 256 x 256 it holds.
std::string JpegClaiming(UINT side) {
  std::string jpeg = ReadWholeFile(std::string(std::getenv("TUMBLOX_SOURCE_DIR")) + "/res/images/floor.jpg");
  // The start of frame: marker, length, precision, then height and width.
  const std::size_t frame = jpeg.find("\xFF\xC0");
  for (std::size_t at : {frame + 5, frame + 7}) {
    jpeg[at] = char(side >> 8);
    jpeg[at + 1] = char(side & 0xFF);
  }
  return jpeg;
}

void ExpectOrigin(const ModelFrame* frame, float x, float y, float z) {
  D3DXVECTOR3 origin(0, 0, 0), at;
  D3DXVec3TransformCoord(&at, &origin, &frame->CombinedMatrix);
  EXPECT_NEAR(at.x, x, 1e-5);
  EXPECT_NEAR(at.y, y, 1e-5);
  EXPECT_NEAR(at.z, z, 1e-5);
}

// The allocator, with a record of every create call and a count of what is alive.
class RecordingHierarchy : public MeshHierarchy {
 public:
  HRESULT CreateFrame(LPCSTR name, D3DXFRAME** frame) override {
    calls.push_back(std::string("frame ") + (name ? name : "-"));
    if (throwOnFrame) throw std::runtime_error("allocator failure");
    return Count(MeshHierarchy::CreateFrame(name, frame));
  }
  HRESULT CreateMeshContainer(LPCSTR name, const D3DXMESHDATA* data, const D3DXMATERIAL* materials,
                              const D3DXEFFECTINSTANCE* effects, DWORD count, const DWORD* adjacency,
                              ID3DXSkinInfo* skin, D3DXMESHCONTAINER** piece) override {
    calls.push_back(std::string("mesh ") + (name ? name : "-"));
    return Count(MeshHierarchy::CreateMeshContainer(name, data, materials, effects, count, adjacency, skin, piece));
  }
  HRESULT DestroyFrame(D3DXFRAME* frame) override {
    --live;
    return MeshHierarchy::DestroyFrame(frame);
  }
  HRESULT DestroyMeshContainer(D3DXMESHCONTAINER* piece) override {
    --live;
    return MeshHierarchy::DestroyMeshContainer(piece);
  }
  HRESULT Count(HRESULT hr) {
    live += SUCCEEDED(hr);
    return hr;
  }
  std::vector<std::string> calls;
  int live = 0;
  bool throwOnFrame = false;
};

class ModelLoadingTest : public RenderTest {
 protected:
  void SetUp() override {
    fs::path models = fs::path(std::getenv("TUMBLOX_SOURCE_DIR")) / "tests/render/models";
    fs::create_directories(game / "res/images");
    for (const auto& entry : fs::directory_iterator(models))
      fs::copy_file(entry.path(), game / "res/images" / entry.path().filename());
    previous = fs::current_path();
    fs::current_path(game);
  }

  void TearDown() override {
    DestroyObjectList(object);  // through the world's hook, as a Scene frees it
    fs::current_path(previous);
    RenderTest::TearDown();
  }

  HRESULT Load(const char* file) {
    HRESULT hr = LoadObjectMesh(file, device, object, &allocator);
    EXPECT_EQ(fs::current_path(), game) << "the game's folder is current after every load";
    return hr;
  }

  ModelFrame* Find(const char* name) {
    return static_cast<ModelFrame*>(D3DXFrameFind(object->frameRoot, name));
  }

  static ModelPiece* PieceOf(D3DXFRAME* frame) {
    return static_cast<ModelPiece*>(frame->pMeshContainer);
  }

  TempFolder folder;
  const fs::path& game = folder.path;
  fs::path previous;
  GameObject* object = new GameObject("ball", 0);
  RecordingHierarchy allocator;
};

TEST_F(ModelLoadingTest, ReadsAFrameTreeWithItsMaterialsAndTextures) {
  ASSERT_EQ(Load("tree.x"), S_OK);
  EXPECT_EQ(object->meshLoaded, 1);
  EXPECT_EQ(object->animationController, nullptr);
  EXPECT_EQ(allocator.calls, (std::vector<std::string>{"frame Root", "frame Body", "mesh BodyMesh",
                                                       "frame -", "frame Leg", "mesh LegMesh"}));
  // Material 0's texture is found in the model folder; material 2's file is
  // missing and costs only its own slot.
  ModelPiece* piece = PieceOf(Find("Body"));
  ASSERT_EQ(piece->NumMaterials, 3u);
  EXPECT_NE(piece->Textures[0], nullptr);
  EXPECT_EQ(piece->Textures[2], nullptr);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(piece->pMaterials[i].pTextureFilename, nullptr);
  EXPECT_EQ(piece->pMaterials[1].MatD3D.Diffuse.b, 1.0f);
  EXPECT_EQ(device->CallsOf("CreateTexture").size(), 1u);
  EXPECT_EQ(RefCount(piece->MeshData.pMesh), 1u);

  // The leg's mesh has neither normals nor materials: it is drawn from a copy
  // with normals, in one grey material.
  ModelPiece* leg = PieceOf(Find("Leg"));
  EXPECT_TRUE(leg->MeshData.pMesh->GetFVF() & D3DFVF_NORMAL);
  Vertex* v;
  leg->MeshData.pMesh->LockVertexBuffer(D3DLOCK_READONLY, reinterpret_cast<void**>(&v));
  EXPECT_FLOAT_EQ(std::abs(v[0].nz), 1.0f);
  leg->MeshData.pMesh->UnlockVertexBuffer();
  ASSERT_EQ(leg->NumMaterials, 1u);
  const D3DMATERIAL9 grey = {{0.5f, 0.5f, 0.5f, 0}, {}, {0.5f, 0.5f, 0.5f, 0}, {}, 0};
  EXPECT_EQ(std::memcmp(&leg->pMaterials[0].MatD3D, &grey, sizeof grey), 0);
  EXPECT_EQ(leg->Textures[0], nullptr);
  // Every mesh is made in managed buffers, the copy with normals too.
  EXPECT_EQ(piece->MeshData.pMesh->GetOptions(), DWORD{D3DXMESH_MANAGED});
  EXPECT_EQ(leg->MeshData.pMesh->GetOptions(), DWORD{D3DXMESH_MANAGED});

  // The unnamed frame's origin: 5 along z, turned a quarter about y (z goes
  // to x), then up 1 and on by (1, 2, 3). Leg, Body's sibling, takes only the
  // root's move.
  ComputeFrameMatrices(object->frameRoot, nullptr);
  ExpectOrigin(static_cast<ModelFrame*>(Find("Body")->pFrameFirstChild), 6, 3, 3);
  ExpectOrigin(Find("Leg"), 1, 2, 3);
}

TEST_F(ModelLoadingTest, LinksASkinnedPieceToItsBonesAndAnimatesThem) {
  ASSERT_EQ(Load("skinned.x"), S_OK);
  EXPECT_EQ(object->meshLoaded, 1);
  ModelFrame* root = object->frameRoot;
  ModelFrame* bone2 = Find("Bone2");

  // The frame's first piece has no skin; the second is linked.
  ModelPiece* plain = PieceOf(root);
  EXPECT_EQ(plain->BoneMatrixLinks, nullptr);
  ModelPiece* skin = static_cast<ModelPiece*>(plain->pNextMeshContainer);
  ASSERT_NE(skin->BoneMatrixLinks, nullptr);
  EXPECT_EQ(skin->BoneMatrixLinks[0], &Find("Bone1")->CombinedMatrix);
  EXPECT_EQ(skin->BoneMatrixLinks[1], &bone2->CombinedMatrix);
  EXPECT_EQ(skin->BoneOffsets[1]._42, -2.0f);

  // Both faces touch both bones: one combination of two slots.
  EXPECT_EQ(skin->MaxInfluences, 2u);
  ASSERT_EQ(skin->GroupCount, 1u);
  auto* table = static_cast<D3DXBONECOMBINATION*>(skin->BoneCombinations->GetBufferPointer());
  EXPECT_EQ(table[0].BoneId[0], 0u);
  EXPECT_EQ(table[0].BoneId[1], 1u);
  EXPECT_EQ(table[0].FaceCount, 2u);
  EXPECT_EQ(skin->MeshData.pMesh->GetFVF(), DWORD{D3DFVF_XYZB1 | D3DFVF_NORMAL});
  EXPECT_EQ(skin->MeshData.pMesh->GetOptions() & D3DXMESH_MANAGED, DWORD{D3DXMESH_MANAGED});

  // Half a second of the animation lifts Bone2 from 1 to 2 above Bone1.
  ASSERT_NE(object->animationController, nullptr);
  object->animationController->AdvanceTime(0.5, nullptr);
  ComputeFrameMatrices(root, nullptr);
  EXPECT_NEAR(bone2->CombinedMatrix._42, 3, 1e-5);
  EXPECT_EQ(*skin->BoneMatrixLinks[1], bone2->CombinedMatrix);
}

TEST_F(ModelLoadingTest, FailuresLeaveNoModel) {
  EXPECT_LT(Load("nowhere.x"), 0);
  EXPECT_LT(Load("broken.x"), 0);
  EXPECT_EQ(allocator.live, 0);
  EXPECT_EQ(Load(std::string(300, 'a').c_str()), E_FAIL);  // longer than the wide buffer
  // Without the model folder the game's folder stays current.
  fs::rename(game / "res/images", game / "res/elsewhere");
  EXPECT_LT(Load("tree.x"), 0);
  fs::rename(game / "res/elsewhere", game / "res/images");
  // An exception from the allocator is caught: no model, and not a failure.
  allocator.throwOnFrame = true;
  EXPECT_EQ(Load("skinned.x"), S_OK);
  EXPECT_EQ(object->meshLoaded, 0);
  EXPECT_EQ(object->frameRoot, nullptr);
  EXPECT_EQ(object->animationController, nullptr);
}

TEST_F(ModelLoadingTest, ComesBackToTheGamesFolderThroughALinkedDataFolder) {
  // A packaged install: res/ is a link into a data folder elsewhere.
  fs::create_directories(game / "data");
  fs::rename(game / "res", game / "data/res");
  fs::create_directory_symlink(game / "data/res", game / "res");
  EXPECT_EQ(Load("tree.x"), S_OK);
  EXPECT_EQ(object->meshLoaded, 1);
}

TEST_F(ModelLoadingTest, ATextureThatIsNoFileCostsOnlyItsSlot) {
  fs::remove(game / "res/images/checker.png");
  fs::create_directory(game / "res/images/checker.png");
  ASSERT_EQ(Load("tree.x"), S_OK);
  EXPECT_EQ(object->meshLoaded, 1);
  EXPECT_EQ(PieceOf(Find("Body"))->Textures[0], nullptr);
}

TEST_F(ModelLoadingTest, BuildingAPieceWithoutSkinChangesNothing) {
  ASSERT_EQ(Load("tree.x"), S_OK);
  ModelPiece* piece = PieceOf(Find("Body"));
  ID3DXMesh* mesh = piece->MeshData.pMesh;
  EXPECT_EQ(BuildSkinnedMesh(device, piece), S_OK);
  EXPECT_EQ(piece->MeshData.pMesh, mesh);
  EXPECT_EQ(RefCount(mesh), 1u);
  EXPECT_EQ(piece->BoneCombinations, nullptr);
  EXPECT_EQ(piece->SourceMesh, nullptr);
  EXPECT_EQ(piece->GroupCount + piece->MaxInfluences + piece->FirstSoftwareGroup, 0u);
}

TEST_F(ModelLoadingTest, ABoneWithoutItsFrameFailsButTheTreeStaysWithTheObject) {
  EXPECT_EQ(Load("bad_bone.x"), E_FAIL);
  EXPECT_EQ(object->meshLoaded, 0);
  EXPECT_NE(object->frameRoot, nullptr);  // freed with the object
}

// Each texture file is decoded once for all the materials that name it,
// under any name, and its pixels are paid for from the model's memory: a
// small model may take an image of 1024 x 1024, not one of 2048 x 2048.
TEST_F(ModelLoadingTest, EachTextureFileIsDecodedOnceAndPaidForFromTheModel) {
  const fs::path images = game / "res/images";
  fs::copy_file(images / "checker.png", images / "copy.png");
  WriteWholeFile((images / "1024.jpg").string(), JpegClaiming(1024));
  WriteWholeFile((images / "2048.jpg").string(), JpegClaiming(2048));
  const std::vector<std::string> twenty = {10, "checker.png"}, twentyMore = {10, "./checker.png"};
  std::vector<std::string> oneFileTwentyTimes = twenty;
  oneFileTwentyTimes.insert(oneFileTwentyTimes.end(), twentyMore.begin(), twentyMore.end());
  const struct {
    const char* what;
    std::vector<std::string> textures;
    std::vector<UINT> decodedSides;
    int textured;
  } cases[] = {
      {"one file, twenty materials, two names", oneFileTwentyTimes, {2}, 20},
      {"two files", {"checker.png", "copy.png", "checker.png"}, {2, 2}, 3},
      {"within the budget", {"1024.jpg", "1024.jpg"}, {1024}, 2},
      {"past the budget", {"2048.jpg", "2048.jpg", "checker.png"}, {2}, 1},
  };
  for (const auto& c : cases) {
    WriteWholeFile((images / "named.x").string(), ModelNaming(c.textures));
    device->calls.clear();
    ASSERT_EQ(Load("named.x"), S_OK) << c.what;
    std::vector<UINT> decoded;
    for (const RecordedCall& call : device->CallsOf("CreateTexture")) {
      EXPECT_EQ(call.args[0], call.args[1]) << c.what;
      decoded.push_back(UINT(call.args[0]));
    }
    EXPECT_EQ(decoded, c.decodedSides) << c.what;
    const ModelPiece* piece = PieceOf(object->frameRoot);
    int textured = 0;
    for (DWORD i = 0; i < piece->NumMaterials; ++i) textured += piece->Textures[i] != nullptr;
    EXPECT_EQ(textured, c.textured) << c.what;
    FreeObjectModel(object);
    object->meshLoaded = 0;
  }
}

}  // namespace
