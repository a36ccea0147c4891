// Truncated and damaged files: each fails cleanly or loads whole, and
// nothing made on the way is left behind.
#include <fstream>
#include <stdexcept>
#include <sstream>

#include "platform/d3dx9/xfile_loader.h"
#include "tests/xfile/xfile_fixture.h"

namespace {

std::string ReadData(const char* name) {
  std::ifstream file(std::string("tests/data/xfile/") + name, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

}  // namespace

TEST_F(XFileTest, TheCompleteSampleLoads) {
  ASSERT_EQ(LoadFile("tests/data/xfile/skinned_walk.x"), S_OK);
  EXPECT_EQ(allocator.calls, (std::vector<std::string>{"frame Root", "frame Lower", "frame Upper", "mesh Strip"}));
  auto* piece = static_cast<TestMeshContainer*>(root->pMeshContainer);
  EXPECT_EQ(piece->textureNames, (std::vector<std::string>{"skin.png", ""}));
  EXPECT_EQ(piece->pSkinInfo->GetNumBones(), 2u);
  EXPECT_EQ(piece->MeshData.pMesh->GetFVF(), DWORD(D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1));
  EXPECT_EQ(piece->MeshData.pMesh->GetNumFaces(), 4u);
  ASSERT_NE(controller, nullptr);
  controller->AdvanceTime(0.5, nullptr);  // 15 ticks: the upper bone is turned 45° about z
  D3DXFRAME* upper = D3DXFrameFind(root, "Upper");
  EXPECT_NEAR(upper->TransformationMatrix._11, 0.7071068f, 1e-5f);
  EXPECT_EQ(upper->TransformationMatrix._42, 1);
}

TEST_F(XFileTest, EveryPrefixOfAFileFailsCleanlyOrLoads) {
  std::string text = ReadData("skinned_walk.x");
  ASSERT_GT(text.size(), 1000u);
  int loaded = 0;
  for (std::size_t size = 0; size < text.size(); ++size) {
    HRESULT hr = LoadMeshHierarchyFromXText(std::string_view(text).substr(0, size), D3DXMESH_MANAGED, device,
                                            &allocator, &root, &controller);
    if (SUCCEEDED(hr)) {
      ++loaded;
      ASSERT_NE(root, nullptr);
      D3DXFrameDestroy(root, &allocator);
      if (controller) controller->Release();
    } else {
      EXPECT_EQ(root, nullptr) << size;
      EXPECT_EQ(controller, nullptr) << size;
    }
    root = nullptr;
    controller = nullptr;
    ASSERT_EQ(allocator.liveFrames, 0) << size;
    ASSERT_EQ(allocator.liveContainers, 0) << size;
  }
  // Only prefixes that end after the frame tree can load (the animation may
  // be cut short).
  EXPECT_GT(loaded, 0);
  EXPECT_LT(loaded, int(text.size()) / 2);
}

TEST_F(XFileTest, EveryAllocatorFailureOfTheSampleLeavesNothing) {
  std::string text = ReadData("skinned_walk.x");
  for (int failAt = 0; failAt < 4; ++failAt) {
    allocator = RecordingAllocator();
    allocator.failCreateAt = failAt;
    EXPECT_EQ(LoadMeshHierarchyFromXText(text, D3DXMESH_MANAGED, device, &allocator, &root, &controller),
              E_OUTOFMEMORY);
    EXPECT_EQ(controller, nullptr);
    EXPECT_EQ(allocator.liveFrames + allocator.liveContainers, 0);
  }
}

TEST_F(XFileTest, AnAllocatorThatThrowsGetsItsExceptionWithNothingLeftBehind) {
  std::string text = ReadData("skinned_walk.x");
  for (int throwAt = 0; throwAt < 4; ++throwAt) {
    allocator = RecordingAllocator();
    allocator.throwCreateAt = throwAt;
    EXPECT_THROW(LoadMeshHierarchyFromXText(text, D3DXMESH_MANAGED, device, &allocator, &root, &controller),
                 std::runtime_error);
    EXPECT_EQ(root, nullptr);
    EXPECT_EQ(allocator.liveFrames + allocator.liveContainers, 0);
  }
}
