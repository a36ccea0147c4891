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
// A body with two arms; the left arm has a hand.
Frame Body {
  FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 10,20,30,1;; }
  Frame LeftArm {
    FrameTransformMatrix {
      0.0, 1.0, 0.0, 0.0,
      -1.0, 0.0, 0.0, 0.0,
      0.0, 0.0, 1.0, 0.0,
      1.0, 2.0, 3.0, 1.0;;
    }
    Frame Hand { }
  }
  Frame { }   # unnamed
  Frame RightArm {
    Header { 1; 0; 1; }
  }
}
)";

}  // namespace

TEST_F(XFileTest, FrameTreeKeepsFileOrderNamesAndMatrices) {
  ASSERT_EQ(LoadText(kXHeader + std::string(kTree)), S_OK);
  EXPECT_EQ(allocator.calls, (Calls{"frame Body", "frame LeftArm", "frame Hand", "frame -", "frame RightArm"}));
  ASSERT_NE(root, nullptr);
  EXPECT_STREQ(root->Name, "Body");
  EXPECT_EQ(root->pFrameSibling, nullptr);
  EXPECT_EQ(root->TransformationMatrix._41, 10);
  EXPECT_EQ(root->TransformationMatrix._43, 30);

  D3DXFRAME* left = root->pFrameFirstChild;
  EXPECT_STREQ(left->Name, "LeftArm");
  EXPECT_EQ(left->TransformationMatrix._12, 1);
  EXPECT_EQ(left->TransformationMatrix._21, -1);
  EXPECT_EQ(left->TransformationMatrix._42, 2);
  EXPECT_STREQ(left->pFrameFirstChild->Name, "Hand");
  EXPECT_TRUE(D3DXMatrixIsIdentity(&left->pFrameFirstChild->TransformationMatrix));

  D3DXFRAME* unnamed = left->pFrameSibling;
  EXPECT_EQ(unnamed->Name, nullptr);
  EXPECT_STREQ(unnamed->pFrameSibling->Name, "RightArm");
  EXPECT_EQ(unnamed->pFrameSibling->pFrameSibling, nullptr);
  EXPECT_EQ(controller, nullptr);  // no animation in the file
}

TEST_F(XFileTest, SeveralTopLevelFramesGetAnUnnamedRoot) {
  ASSERT_EQ(LoadText(std::string(kXHeader) + "Frame A { } Frame B { Frame C { } }"), S_OK);
  EXPECT_EQ(allocator.calls, (Calls{"frame -", "frame A", "frame B", "frame C"}));
  EXPECT_EQ(root->Name, nullptr);
  EXPECT_TRUE(D3DXMatrixIsIdentity(&root->TransformationMatrix));
  EXPECT_STREQ(root->pFrameFirstChild->Name, "A");
  EXPECT_STREQ(root->pFrameFirstChild->pFrameSibling->Name, "B");
}

TEST_F(XFileTest, SeparatorsCommentsAndUnknownObjectsAreTolerated) {
  // ',' and ';' mixed, doubled and trailing; both comment styles; an object
  // we do not know with nested braces and a GUID.
  std::string text = std::string(kXHeader) + R"(
    # comment
    Frame Root{ // comment
      FrameTransformMatrix{<f6f23f41-7686-11cf-8f52-0040333594a3>
        2;0;0;0;,0,2;0;0;;0 ;0,2,0,
        0;0;0;1;;,}
      SomethingNew Name { 1; "x{}"; { Ref } Inner { 2; } }
      {Root}
    }
  )";
  ASSERT_EQ(LoadText(text), S_OK);
  EXPECT_EQ(root->TransformationMatrix._11, 2);
  EXPECT_EQ(root->TransformationMatrix._22, 2);
  EXPECT_EQ(root->TransformationMatrix._33, 2);
  EXPECT_EQ(root->TransformationMatrix._44, 1);
  EXPECT_EQ(root->pFrameFirstChild, nullptr);
}

TEST_F(XFileTest, OlderVersionIsRead) {
  EXPECT_EQ(LoadText("xof 0302txt 0064\nFrame F { }"), S_OK);
}

TEST_F(XFileTest, BinaryAndCompressedFilesAreRefused) {
  EXPECT_EQ(LoadText("xof 0303bin 0032\nFrame F { }"), E_NOTIMPL);
  EXPECT_EQ(LoadText("xof 0303tzip0032\nFrame F { }"), E_NOTIMPL);
  EXPECT_EQ(LoadText("xof 0303bzip0032\nFrame F { }"), E_NOTIMPL);
  EXPECT_TRUE(allocator.calls.empty());
  EXPECT_EQ(root, nullptr);
}

TEST_F(XFileTest, WrongHeadersMissingFilesAndEmptyFilesFail) {
  EXPECT_TRUE(FAILED(LoadText("xof 0304txt 0032\nFrame F { }")));
  EXPECT_TRUE(FAILED(LoadText("xo")));
  EXPECT_TRUE(FAILED(LoadText("abc 0303txt 0032\nFrame F { }")));
  EXPECT_TRUE(FAILED(LoadText(kXHeader)));  // nothing to load
  EXPECT_TRUE(FAILED(LoadText(std::string(kXHeader) + "template T { <1> DWORD a; }")));
  EXPECT_TRUE(FAILED(LoadFile(::testing::TempDir() + "no such file.x")));
  EXPECT_TRUE(allocator.calls.empty());
  EXPECT_EQ(root, nullptr);
}

TEST_F(XFileTest, MalformedFramesFailAndFreeWhatWasMade) {
  for (const char* body : {"Frame A { Frame B { }", "Frame A { FrameTransformMatrix { 1, 2 } }",
                           "Frame A { Frame B { } } }", "Frame A { 12 }", "Frame A { Frame B { \"open } }",
                           "Frame A { FrameTransformMatrix { 1,0,0,0,0,1,0,0,0,0,1,0,0,0,0,x; } }"}) {
    EXPECT_TRUE(FAILED(LoadText(kXHeader + std::string(body)))) << body;
    EXPECT_EQ(root, nullptr);
    EXPECT_EQ(allocator.liveFrames, 0) << body;
  }
}

TEST_F(XFileTest, NestingBeyondTheLimitFails) {
  std::string deep = kXHeader;
  for (int i = 0; i < 200; ++i) deep += "Frame {";
  for (int i = 0; i < 200; ++i) deep += "}";
  EXPECT_EQ(LoadText(deep), E_FAIL);
  EXPECT_TRUE(allocator.calls.empty());  // refused while reading, before any frame is made
}

TEST_F(XFileTest, AFailingAllocatorCallDestroysEverythingMadeBefore) {
  for (int failAt = 0; failAt < 5; ++failAt) {
    allocator = RecordingAllocator();
    allocator.failCreateAt = failAt;
    EXPECT_EQ(LoadText(kXHeader + std::string(kTree)), E_OUTOFMEMORY) << failAt;
    EXPECT_EQ(root, nullptr);
    EXPECT_EQ(allocator.liveFrames, 0) << failAt;
    // Every frame made before the failure was destroyed.
    EXPECT_EQ(allocator.calls.size(), std::size_t(2 * failAt + 1)) << failAt;
  }
}

TEST_F(XFileTest, FrameFindSearchesTheWholeTreeByExactName) {
  ASSERT_EQ(LoadText(kXHeader + std::string(kTree)), S_OK);
  EXPECT_EQ(D3DXFrameFind(root, "Body"), root);
  EXPECT_EQ(D3DXFrameFind(root, "Hand"), root->pFrameFirstChild->pFrameFirstChild);
  EXPECT_STREQ(D3DXFrameFind(root, "RightArm")->Name, "RightArm");
  EXPECT_EQ(D3DXFrameFind(root, "hand"), nullptr);
  EXPECT_EQ(D3DXFrameFind(root, "Han"), nullptr);
  EXPECT_EQ(D3DXFrameFind(root, nullptr), nullptr);
}

TEST_F(XFileTest, FrameDestroyFreesEveryFrameOnce) {
  ASSERT_EQ(LoadText(kXHeader + std::string(kTree)), S_OK);
  allocator.calls.clear();
  EXPECT_EQ(D3DXFrameDestroy(root, &allocator), S_OK);
  root = nullptr;
  EXPECT_EQ(allocator.calls, (Calls{"destroy frame Hand", "destroy frame LeftArm", "destroy frame -",
                                    "destroy frame RightArm", "destroy frame Body"}));
}

TEST_F(XFileTest, BoundingSphereOfATreeWithoutMeshesIsEmpty) {
  ASSERT_EQ(LoadText(kXHeader + std::string(kTree)), S_OK);
  D3DXVECTOR3 center(5, 5, 5);
  float radius = 9;
  EXPECT_EQ(D3DXFrameCalculateBoundingSphere(root, &center, &radius), S_OK);
  EXPECT_EQ(radius, 0);
  EXPECT_EQ(center.x, 0);
  EXPECT_TRUE(FAILED(D3DXFrameCalculateBoundingSphere(root, nullptr, &radius)));
}
