// The frame tree of .x files: structure, names, matrices, the root, the
// syntax the reader accepts, and the frame functions.
#include <vector>

#include "tests/xfile/xfile_fixture.h"

namespace {

using Calls = std::vector<std::string>;

const char kTree[] = R"(
template Frame {
 <3d82ab46-62da-11cf-ab39-0020af71e433>
 [...]
}
// A body with two arms; the left arm has a hand. Separators mixed, doubled
// and trailing; objects we do not know, with nested braces and a GUID.
Frame Body{
  FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 10,20,30,1;; }
  Frame LeftArm {
    FrameTransformMatrix{<f6f23f41-7686-11cf-8f52-0040333594a3>
      0;1;0;0;,-1,0;0;0;;0 ;0,1,0,
      1;2;3;1;;,}
    Frame Hand { }
  }
  Frame { }   # unnamed
  Frame RightArm {
    SomethingNew Name { 1; "x{}"; { Ref } Inner { 2; } }
    {Body}
  }
}
)";

}  // namespace

TEST_F(XFileTest, FrameTreeKeepsFileOrderNamesAndMatrices) {
  ASSERT_EQ(LoadText(kXHeader + std::string(kTree)), S_OK);
  EXPECT_EQ(allocator.calls, (Calls{"frame Body", "frame LeftArm", "frame Hand", "frame -", "frame RightArm"}));
  EXPECT_EQ(root->pFrameSibling, nullptr);
  EXPECT_EQ(root->TransformationMatrix._43, 30);
  D3DXFRAME* left = root->pFrameFirstChild;
  EXPECT_EQ(left->TransformationMatrix._21, -1);
  EXPECT_EQ(left->TransformationMatrix._42, 2);
  EXPECT_EQ(left->TransformationMatrix._44, 1);
  EXPECT_TRUE(D3DXMatrixIsIdentity(&left->pFrameFirstChild->TransformationMatrix));
  EXPECT_EQ(left->pFrameSibling->Name, nullptr);
  EXPECT_EQ(left->pFrameSibling->pFrameSibling->pFrameFirstChild, nullptr);  // a reference is no frame
  EXPECT_EQ(controller, nullptr);  // no animation in the file

  // Find matches whole names exactly, anywhere in the tree.
  EXPECT_EQ(D3DXFrameFind(root, "Hand"), left->pFrameFirstChild);
  EXPECT_STREQ(D3DXFrameFind(root, "RightArm")->Name, "RightArm");
  EXPECT_EQ(D3DXFrameFind(root, "hand"), nullptr);
  EXPECT_EQ(D3DXFrameFind(root, "Han"), nullptr);
  EXPECT_EQ(D3DXFrameFind(root, nullptr), nullptr);  // not the unnamed frame

  D3DXVECTOR3 center(5, 5, 5);
  float radius = 9;
  EXPECT_EQ(D3DXFrameCalculateBoundingSphere(root, &center, &radius), S_OK);
  EXPECT_EQ(radius, 0);  // no meshes
}

TEST_F(XFileTest, SeveralTopLevelFramesGetAnUnnamedRoot) {
  ASSERT_EQ(LoadText(std::string(kXHeader) + "Frame A { } Frame B { Frame C { } }"), S_OK);
  EXPECT_EQ(allocator.calls, (Calls{"frame -", "frame A", "frame B", "frame C"}));
  EXPECT_TRUE(D3DXMatrixIsIdentity(&root->TransformationMatrix));
  EXPECT_STREQ(root->pFrameFirstChild->pFrameSibling->Name, "B");
}

TEST_F(XFileTest, HeadersDecideWhatIsRead) {
  for (const char* binary : {"xof 0303bin 0032\nFrame F { }", "xof 0303tzip0032\nFrame F { }",
                             "xof 0303bzip0032\nFrame F { }"})
    EXPECT_EQ(LoadText(binary), E_NOTIMPL) << binary;
  for (const char* bad : {"xof 0304txt 0032\nFrame F { }", "abc 0303txt 0032\nFrame F { }", "xo", kXHeader,
                          "xof 0303txt 0032\ntemplate T { <1> DWORD a; }"})  // the last two: nothing to load
    EXPECT_TRUE(FAILED(LoadText(bad))) << bad;
  EXPECT_TRUE(FAILED(LoadFile(::testing::TempDir() + "no such file.x")));
  EXPECT_TRUE(allocator.calls.empty());
  EXPECT_EQ(LoadText("xof 0302txt 0064\nFrame F { }"), S_OK);  // the older version
}

TEST_F(XFileTest, MalformedFramesFailAndFreeWhatWasMade) {
  std::vector<std::string> bodies = {"Frame A { Frame B { }", "Frame A { FrameTransformMatrix { 1, 2 } }",
                                     "Frame A { Frame B { } } }", "Frame A { 12 }", "Frame A { Frame B { \"open } }",
                                     "Frame A { FrameTransformMatrix { 1,0,0,0,0,1,0,0,0,0,1,0,0,0,0,x; } }", ""};
  for (int i = 0; i < 200; ++i) bodies.back() = "Frame {" + bodies.back() + "}";  // beyond the nesting limit
  for (const std::string& body : bodies) {
    EXPECT_TRUE(FAILED(LoadText(kXHeader + body))) << body;
    EXPECT_EQ(root, nullptr);
    EXPECT_EQ(allocator.liveFrames, 0) << body;
  }
}
