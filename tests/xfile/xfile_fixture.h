// Loads .x text written by a test through the real file loader, with a
// recording device and allocator, and checks that nothing is left behind.
#pragma once
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/d3d9/recording_device.h"
#include "platform/d3dx9/d3dx9anim.h"
#include "platform/win32/wide_text.h"
#include "tests/xfile/recording_allocator.h"

inline const char kXHeader[] = "xof 0303txt 0032\n";

class XFileTest : public ::testing::Test {
 protected:
  void TearDown() override {
    if (root) D3DXFrameDestroy(root, &allocator);
    if (controller) controller->Release();  // after the tree, as the game does
    EXPECT_EQ(allocator.liveFrames, 0);
    EXPECT_EQ(allocator.liveContainers, 0);
    device->Release();
  }

  HRESULT LoadText(const std::string& text, bool wantController = true) {
    // One file per test: CTest runs tests side by side.
    std::string path = ::testing::TempDir() + "xfile_" +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".x";
    std::ofstream(path, std::ios::binary) << text;
    return LoadFile(path, wantController);
  }

  HRESULT LoadFile(const std::string& path, bool wantController = true) {
    std::u16string wide = Utf8ToWide(path.c_str(), path.size());
    return D3DXLoadMeshHierarchyFromXW(wide.c_str(), D3DXMESH_MANAGED, device, &allocator, nullptr,
                                       &root, wantController ? &controller : nullptr);
  }

  RecordingDevice* device = new RecordingDevice;
  RecordingAllocator allocator;
  D3DXFRAME* root = nullptr;
  ID3DXAnimationController* controller = nullptr;
};
