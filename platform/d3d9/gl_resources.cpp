#include "platform/d3d9/gl_resources.h"

GLTexture::GLTexture(UINT width, UINT height, D3DFORMAT format)
    : width_(width), height_(height), format_(format), pixels_(size_t(width) * height, 0) {
  glGenTextures(1, &name_);
  glBindTexture(GL_TEXTURE_2D, name_);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
}

GLTexture::~GLTexture() {
  if (name_) glDeleteTextures(1, &name_);
}

HRESULT GLTexture::GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) {
  if (level != 0 || !desc) return D3DERR_INVALIDCALL;
  *desc = D3DSURFACE_DESC{format_, D3DRTYPE_TEXTURE, 0, D3DPOOL_MANAGED, width_, height_};
  return D3D_OK;
}

HRESULT GLTexture::LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD) {
  if (level != 0 || !locked || locked_) return D3DERR_INVALIDCALL;
  LONG left = 0, top = 0;
  if (rect) {
    if (rect->left < 0 || rect->top < 0 || rect->left > rect->right ||
        rect->top > rect->bottom || UINT(rect->right) > width_ || UINT(rect->bottom) > height_)
      return D3DERR_INVALIDCALL;
    left = rect->left;
    top = rect->top;
  }
  locked->Pitch = INT(width_ * 4);
  locked->pBits = pixels_.data() + size_t(top) * width_ + size_t(left);
  locked_ = true;
  return D3D_OK;
}

HRESULT GLTexture::UnlockRect(UINT level) {
  if (level != 0 || !locked_) return D3DERR_INVALIDCALL;
  locked_ = false;
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  glBindTexture(GL_TEXTURE_2D, name_);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  // 0xAARRGGBB words are B, G, R, A bytes in memory. X8R8G8B8 keeps no alpha.
  const GLint internal = format_ == D3DFMT_X8R8G8B8 ? GL_RGB8 : GL_RGBA8;
  glTexImage2D(GL_TEXTURE_2D, 0, internal, GLsizei(width_), GLsizei(height_), 0, GL_BGRA,
               GL_UNSIGNED_INT_8_8_8_8_REV, pixels_.data());
  glBindTexture(GL_TEXTURE_2D, GLuint(bound));
  return D3D_OK;
}

GLBuffer::GLBuffer(GLenum target, UINT size) : target_(target), bytes_(size, 0) {
  glGenBuffers(1, &name_);
}

GLBuffer::~GLBuffer() {
  if (name_) glDeleteBuffers(1, &name_);
}

HRESULT GLBuffer::Lock(UINT offset, UINT size, void** data) {
  if (!data || locked_ || offset > bytes_.size()) return D3DERR_INVALIDCALL;
  // Size 0 locks everything from the offset on.
  if (size == 0 || size > bytes_.size() - offset) size = UINT(bytes_.size()) - offset;
  *data = bytes_.data() + offset;
  dirtyBegin_ = offset;
  dirtyEnd_ = offset + size;
  locked_ = true;
  return D3D_OK;
}

GLuint GLBuffer::Upload() {
  if (!uploaded_) {
    // The index buffer binding belongs to no vertex array object here, so a
    // plain bind is safe for both targets.
    glBindBuffer(target_, name_);
    glBufferData(target_, GLsizeiptr(bytes_.size()), bytes_.data(), GL_STATIC_DRAW);
    uploaded_ = true;
  }
  return name_;
}

HRESULT GLBuffer::Unlock() {
  if (!locked_) return D3DERR_INVALIDCALL;
  locked_ = false;
  if (!uploaded_) {
    Upload();
  } else if (dirtyEnd_ > dirtyBegin_) {
    glBindBuffer(target_, name_);
    glBufferSubData(target_, GLintptr(dirtyBegin_), GLsizeiptr(dirtyEnd_ - dirtyBegin_),
                    bytes_.data() + dirtyBegin_);
  }
  return D3D_OK;
}
