// Feeds arbitrary bytes, as a file, to the texture loader: it makes a texture
// of at most 4096 pixels a side or fails, and never leaves one behind on failure.
#include <cstring>
#include <string>

#include "platform/d3d9/recording_device.h"
#include "platform/d3dx9/d3dx9tex.h"
#include "platform/win32/wide_text.h"
#include "tests/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  WriteFuzzInput(data, size);
  auto* device = new RecordingDevice;
  std::u16string path = Utf8ToWide(FuzzFile(), std::strlen(FuzzFile()));
  IDirect3DTexture9* texture = nullptr;
  HRESULT hr = D3DXCreateTextureFromFileW(device, path.c_str(), &texture);
  if (SUCCEEDED(hr)) {
    auto* made = static_cast<RecordingTexture*>(texture);
    if (made->width == 0 || made->width > 4096 || made->height == 0 || made->height > 4096)
      std::abort();
    texture->Release();
  } else if (texture || !device->CallsOf("CreateTexture").empty()) {
    std::abort();
  }
  if (device->Release() != 0) std::abort();
  return 0;
}
