// Textures and vertex and index buffers of the OpenGL device. Each keeps
// its bytes in memory (locks write there) and hands them to OpenGL at
// unlock; a resource never locked again is uploaded once and kept. A
// texture drops its pixels after its first unlock (most are never locked
// again) and reads them back if it is.
#pragma once
#include <memory>
#include <vector>

#include "platform/d3d9/d3d9.h"
#include "platform/d3d9/gl_api.h"
#include "platform/d3d9/gl_texture_images.h"

class GLTexture final : public IDirect3DTexture9 {
 public:
  GLTexture(UINT width, UINT height, D3DFORMAT format, std::shared_ptr<GLTextureImages> images);
  HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) override;
  HRESULT LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
  HRESULT UnlockRect(UINT level) override;

  GLTextureImage& image() { return *image_; }

 private:
  ~GLTexture() override;
  UINT width_, height_;
  D3DFORMAT format_;
  std::vector<DWORD> pixels_;  // empty while not locked, until locked twice
  std::shared_ptr<GLTextureImages> images_;
  // Shared with textures of the same pixels until locked a second time.
  std::shared_ptr<GLTextureImage> image_;
  unsigned unlocks_ = 0;
  bool locked_ = false;
};

// Vertex and index bytes; `target` is GL_ARRAY_BUFFER or
// GL_ELEMENT_ARRAY_BUFFER.
class GLBuffer {
 public:
  GLBuffer(GLenum target, UINT size);
  ~GLBuffer();
  HRESULT Lock(UINT offset, UINT size, void** data);
  HRESULT Unlock();
  UINT size() const { return UINT(bytes_.size()); }
  const BYTE* bytes() const { return bytes_.data(); }
  // The OpenGL buffer, with the bytes handed over when they never were.
  GLuint Upload();

 private:
  GLenum target_;
  std::vector<BYTE> bytes_;
  GLuint name_ = 0;
  bool locked_ = false;
  UINT dirtyBegin_ = 0, dirtyEnd_ = 0;
  bool uploaded_ = false;
};

class GLVertexBuffer final : public IDirect3DVertexBuffer9 {
 public:
  explicit GLVertexBuffer(UINT size) : buffer(GL_ARRAY_BUFFER, size) {}
  HRESULT Lock(UINT offset, UINT size, void** data, DWORD) override {
    return buffer.Lock(offset, size, data);
  }
  HRESULT Unlock() override { return buffer.Unlock(); }
  UINT GetSize() const override { return buffer.size(); }
  GLBuffer buffer;

 private:
  ~GLVertexBuffer() override = default;
};

class GLIndexBuffer final : public IDirect3DIndexBuffer9 {
 public:
  GLIndexBuffer(UINT size, D3DFORMAT format)
      : buffer(GL_ELEMENT_ARRAY_BUFFER, size), format_(format) {}
  HRESULT Lock(UINT offset, UINT size, void** data, DWORD) override {
    return buffer.Lock(offset, size, data);
  }
  HRESULT Unlock() override { return buffer.Unlock(); }
  UINT GetSize() const override { return buffer.size(); }
  D3DFORMAT GetFormat() const override { return format_; }
  GLBuffer buffer;

 private:
  ~GLIndexBuffer() override = default;
  D3DFORMAT format_;
};
