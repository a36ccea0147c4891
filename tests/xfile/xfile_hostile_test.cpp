// Truncated files and failing allocators: each load fails cleanly or loads
// whole, and nothing made on the way is left behind.
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/d3dx9/xfile_loader.h"
#include "tests/xfile/xfile_fixture.h"

namespace {

std::string Sample() {
  std::ifstream file("tests/data/xfile/skinned_walk.x", std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

}  // namespace

TEST_F(XFileTest, EveryPrefixOfAFileFailsCleanlyOrLoads) {
  std::string text = Sample();
  ASSERT_GT(text.size(), 1000u);
  int loaded = 0;
  for (std::size_t size = 0; size < text.size(); ++size) {
    HRESULT hr = LoadMeshHierarchyFromXText(std::string_view(text).substr(0, size), D3DXMESH_MANAGED, device,
                                            &allocator, &root, &controller);
    if (SUCCEEDED(hr)) {
      ++loaded;
      D3DXFrameDestroy(root, &allocator);
      if (controller) controller->Release();
    } else {
      EXPECT_EQ(root, nullptr) << size;
      EXPECT_EQ(controller, nullptr) << size;
    }
    root = nullptr;
    controller = nullptr;
    ASSERT_EQ(allocator.liveFrames + allocator.liveContainers, 0) << size;
  }
  // Only prefixes that end after the frame tree can load (the animation may
  // be cut short).
  EXPECT_GT(loaded, 0);
  EXPECT_LT(loaded, int(text.size()) / 2);
}

TEST_F(XFileTest, EveryFailingOrThrowingAllocatorCallLeavesNothing) {
  std::string text = Sample();  // three frames and a skinned mesh
  for (int at = 0; at < 4; ++at) {
    allocator = RecordingAllocator();
    allocator.failCreateAt = at;
    EXPECT_EQ(LoadMeshHierarchyFromXText(text, D3DXMESH_MANAGED, device, &allocator, &root, &controller),
              E_OUTOFMEMORY);
    EXPECT_EQ(root, nullptr);
    EXPECT_EQ(controller, nullptr);
    EXPECT_EQ(allocator.liveFrames + allocator.liveContainers, 0) << at;

    allocator = RecordingAllocator();
    allocator.throwCreateAt = at;
    EXPECT_THROW(LoadMeshHierarchyFromXText(text, D3DXMESH_MANAGED, device, &allocator, &root, &controller),
                 std::runtime_error);
    EXPECT_EQ(root, nullptr);
    EXPECT_EQ(allocator.liveFrames + allocator.liveContainers, 0) << at;
  }
}
