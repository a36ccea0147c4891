// Feeds arbitrary bytes to the .x reader; a load that succeeds is measured,
// animated and destroyed. Anything left alive afterwards is a fault.
#include <cstdlib>
#include <string_view>

#include "platform/d3d9/recording_device.h"
#include "platform/d3dx9/xfile_loader.h"
#include "tests/xfile/recording_allocator.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto* device = new RecordingDevice;
  RecordingAllocator allocator;
  D3DXFRAME* root = nullptr;
  ID3DXAnimationController* controller = nullptr;
  std::string_view text(reinterpret_cast<const char*>(data), size);
  HRESULT hr = LoadMeshHierarchyFromXText(text, D3DXMESH_MANAGED, device, &allocator, &root, &controller);
  if (SUCCEEDED(hr)) {
    D3DXVECTOR3 center;
    float radius;
    D3DXFrameCalculateBoundingSphere(root, &center, &radius);
    if (controller) {
      controller->AdvanceTime(0.37, nullptr);
      controller->AdvanceTime(1e6, nullptr);
    }
    D3DXFrameDestroy(root, &allocator);
    if (controller) controller->Release();
  } else if (root || controller) {
    std::abort();
  }
  if (allocator.liveFrames != 0 || allocator.liveContainers != 0) std::abort();
  device->Release();
  return 0;
}
