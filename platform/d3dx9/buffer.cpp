#include <new>

#include "platform/d3dx9/d3dx9mesh.h"

namespace {

class Buffer final : public ID3DXBuffer {
 public:
  Buffer(BYTE* bytes, DWORD size) : bytes_(bytes), size_(size) {}
  void* GetBufferPointer() override { return bytes_; }
  DWORD GetBufferSize() override { return size_; }

 private:
  ~Buffer() override { delete[] bytes_; }
  BYTE* bytes_;
  DWORD size_;
};

}  // namespace

HRESULT D3DXCreateBuffer(DWORD size, ID3DXBuffer** buffer) {
  if (!buffer) return D3DERR_INVALIDCALL;
  *buffer = nullptr;
  // An empty buffer still hands out a valid pointer.
  BYTE* bytes = new (std::nothrow) BYTE[size ? size : 1]();
  if (!bytes) return E_OUTOFMEMORY;
  Buffer* made = new (std::nothrow) Buffer(bytes, size);
  if (!made) {
    delete[] bytes;
    return E_OUTOFMEMORY;
  }
  *buffer = made;
  return S_OK;
}
