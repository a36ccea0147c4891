// Combined matrices and bone links on trees built by hand.
#include "render/model_loading.h"
#include "tests/render/render_fixture.h"

namespace {

class FrameTreeTest : public RenderTest {
 protected:
  void TearDown() override {
    if (root) D3DXFrameDestroy(root, &allocator);
    RenderTest::TearDown();
  }

  ModelFrame* Frame(const char* name) {
    D3DXFRAME* frame = nullptr;
    EXPECT_EQ(allocator.CreateFrame(name, &frame), S_OK);
    return static_cast<ModelFrame*>(frame);
  }

  // Root with children Arm and Leg (siblings); Arm has the child Hand.
  void BuildTree() {
    root = Frame("Root");
    arm = Frame("Arm");
    leg = Frame("Leg");
    hand = Frame("Hand");
    root->pFrameFirstChild = arm;
    arm->pFrameSibling = leg;
    arm->pFrameFirstChild = hand;
  }

  // A piece whose skin names the bones given.
  ModelPiece* Piece(const std::vector<const char*>& bones) {
    ModelPiece* piece = new ModelPiece();
    if (bones.empty()) return piece;
    ID3DXSkinInfo* skin = nullptr;
    D3DXCreateSkinInfoFVF(3, VertexFvf, DWORD(bones.size()), &skin);
    for (DWORD b = 0; b < bones.size(); ++b) skin->SetBoneName(b, bones[b]);
    piece->pSkinInfo = skin;
    return piece;
  }

  MeshHierarchy allocator;
  ModelFrame *root = nullptr, *arm = nullptr, *leg = nullptr, *hand = nullptr;
};

TEST_F(FrameTreeTest, CombinesEachFrameWithItsParents) {
  BuildTree();
  D3DXMatrixTranslation(&root->TransformationMatrix, 10, 0, 0);
  D3DXMatrixRotationZ(&arm->TransformationMatrix, D3DX_PI / 2);
  D3DXMatrixTranslation(&hand->TransformationMatrix, 1, 0, 0);
  D3DXMatrixTranslation(&leg->TransformationMatrix, 0, -1, 0);
  ComputeFrameMatrices(root, nullptr);

  EXPECT_EQ(root->CombinedMatrix, root->TransformationMatrix);
  // The hand's point (0,0,0) is moved 1 along x, turned a quarter about z
  // (x goes to y), then carried 10 along x.
  D3DXVECTOR3 origin, at;
  D3DXVec3TransformCoord(&at, &origin, &hand->CombinedMatrix);
  EXPECT_NEAR(at.x, 10, 1e-6);
  EXPECT_NEAR(at.y, 1, 1e-6);
  EXPECT_NEAR(at.z, 0, 1e-6);
  // A sibling takes the same parent, not its sibling.
  D3DXVec3TransformCoord(&at, &origin, &leg->CombinedMatrix);
  EXPECT_NEAR(at.x, 10, 1e-6);
  EXPECT_NEAR(at.y, -1, 1e-6);

  D3DXMATRIX parent;
  D3DXMatrixTranslation(&parent, 0, 0, 5);
  ComputeFrameMatrices(root, &parent);
  EXPECT_EQ(root->CombinedMatrix, root->TransformationMatrix * parent);
  EXPECT_EQ(arm->CombinedMatrix, arm->TransformationMatrix * root->CombinedMatrix);
}

TEST_F(FrameTreeTest, LinksEverySkinnedPieceToItsBoneFrames) {
  BuildTree();
  // Leg holds two pieces of which only the second is skinned; Hand one.
  ModelPiece* plain = Piece({});
  ModelPiece* legSkin = Piece({"Hand", "Root"});
  ModelPiece* handSkin = Piece({"Leg"});
  leg->pMeshContainer = plain;
  plain->pNextMeshContainer = legSkin;
  hand->pMeshContainer = handSkin;

  ASSERT_EQ(LinkBoneMatrices(root, root), S_OK);
  EXPECT_EQ(plain->BoneMatrixLinks, nullptr);
  ASSERT_NE(legSkin->BoneMatrixLinks, nullptr);
  EXPECT_EQ(legSkin->BoneMatrixLinks[0], &hand->CombinedMatrix);
  EXPECT_EQ(legSkin->BoneMatrixLinks[1], &root->CombinedMatrix);
  EXPECT_EQ(handSkin->BoneMatrixLinks[0], &leg->CombinedMatrix);

  // Linking again replaces the links (LeakSanitizer sees the old array go).
  ASSERT_EQ(LinkBoneMatricesOfMesh(handSkin, root), S_OK);
  EXPECT_EQ(handSkin->BoneMatrixLinks[0], &leg->CombinedMatrix);
}

TEST_F(FrameTreeTest, ABoneWithoutItsFrameFailsTheLinks) {
  BuildTree();
  ModelPiece* piece = Piece({"Arm", "Tail"});
  hand->pMeshContainer = piece;
  EXPECT_EQ(LinkBoneMatrices(root, root), E_FAIL);
  EXPECT_EQ(piece->BoneMatrixLinks[0], &arm->CombinedMatrix);
  // A bone the skin never named has no frame either.
  ModelPiece* unnamed = new ModelPiece();
  D3DXCreateSkinInfoFVF(3, VertexFvf, 1, &unnamed->pSkinInfo);
  leg->pMeshContainer = unnamed;
  EXPECT_EQ(LinkBoneMatricesOfMesh(unnamed, root), E_FAIL);
}

}  // namespace
