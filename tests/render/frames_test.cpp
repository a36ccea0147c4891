// Bone links on a tree built by hand.
#include "render/model_loading.h"
#include "tests/render/render_fixture.h"

namespace {

class FrameTreeTest : public RenderTest {
 protected:
  // Root with children Arm and Leg (siblings); Arm has the child Hand.
  void SetUp() override {
    root->pFrameFirstChild = arm;
    arm->pFrameSibling = leg;
    arm->pFrameFirstChild = hand;
  }

  void TearDown() override {
    D3DXFrameDestroy(root, &allocator);
    RenderTest::TearDown();
  }

  ModelFrame* Frame(const char* name) {
    D3DXFRAME* frame = nullptr;
    allocator.CreateFrame(name, &frame);
    return static_cast<ModelFrame*>(frame);
  }

  // A piece whose skin names the bones given (null: a bone without a name).
  static ModelPiece* Piece(const std::vector<const char*>& bones) {
    ModelPiece* piece = new ModelPiece();
    if (bones.empty()) return piece;
    D3DXCreateSkinInfoFVF(3, VertexFvf, DWORD(bones.size()), &piece->pSkinInfo);
    for (DWORD b = 0; b < bones.size(); ++b)
      if (bones[b]) piece->pSkinInfo->SetBoneName(b, bones[b]);
    return piece;
  }

  MeshHierarchy allocator;
  ModelFrame *root = Frame("Root"), *arm = Frame("Arm"), *leg = Frame("Leg"), *hand = Frame("Hand");
};

TEST_F(FrameTreeTest, LinksEverySkinnedPieceToItsBoneFrames) {
  // Leg holds two pieces of which only the second is skinned; Hand one.
  ModelPiece* plain = Piece({});
  ModelPiece* legSkin = Piece({"Hand", "Root"});
  ModelPiece* handSkin = Piece({"Leg"});
  leg->pMeshContainer = plain;
  plain->pNextMeshContainer = legSkin;
  hand->pMeshContainer = handSkin;

  ASSERT_EQ(LinkBoneMatrices(root, root), S_OK);
  EXPECT_EQ(plain->BoneMatrixLinks, nullptr);
  EXPECT_EQ(legSkin->BoneMatrixLinks[0], &hand->CombinedMatrix);
  EXPECT_EQ(legSkin->BoneMatrixLinks[1], &root->CombinedMatrix);
  EXPECT_EQ(handSkin->BoneMatrixLinks[0], &leg->CombinedMatrix);

  // Linking again replaces the links (LeakSanitizer sees the old array go).
  ASSERT_EQ(LinkBoneMatricesOfMesh(handSkin, root), S_OK);
  EXPECT_EQ(handSkin->BoneMatrixLinks[0], &leg->CombinedMatrix);

  // A bone the skin never named matches no frame, not even an unnamed one.
  D3DXFRAME* unnamed = nullptr;
  allocator.CreateFrame(nullptr, &unnamed);
  hand->pFrameFirstChild = unnamed;
  arm->pMeshContainer = Piece({"Arm", nullptr});
  EXPECT_EQ(LinkBoneMatrices(root, root), E_FAIL);
}

}  // namespace
