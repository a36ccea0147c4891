#include "platform/d3d9/gl_resources.h"

GLTexture::GLTexture(UINT width, UINT height, D3DFORMAT format,
                     std::shared_ptr<GLTextureImages> images)
    : width_(width),
      height_(height),
      format_(format),
      images_(std::move(images)),
      image_(std::make_shared<GLTextureImage>()) {}

GLTexture::~GLTexture() = default;

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
  if (pixels_.empty()) {
    if (unlocks_ == 0)
      pixels_.assign(size_t(width_) * height_, 0);
    else
      ReadTexturePixels(image_->name, width_, height_, &pixels_);
  }
  locked->Pitch = INT(width_ * 4);
  locked->pBits = pixels_.data() + size_t(top) * width_ + size_t(left);
  locked_ = true;
  return D3D_OK;
}

HRESULT GLTexture::UnlockRect(UINT level) {
  if (level != 0 || !locked_) return D3DERR_INVALIDCALL;
  locked_ = false;
  if (unlocks_++ == 0) {
    image_ = images_->Image(width_, height_, format_, pixels_);
    pixels_ = std::vector<DWORD>();
    return D3D_OK;
  }
  // Locked again: its pixels change from now on, so the image is its own.
  if (unlocks_ == 2) image_ = std::make_shared<GLTextureImage>();
  UploadTexturePixels(image_->name, width_, height_, format_, pixels_.data());
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
