#include "platform/d3d9/gl_texture_images.h"

#include <string_view>

GLTextureImage::GLTextureImage() {
  glGenTextures(1, &name);
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
  glBindTexture(GL_TEXTURE_2D, GLuint(bound));
}

GLTextureImage::~GLTextureImage() {
  if (name) glDeleteTextures(1, &name);
}

void UploadTexturePixels(GLuint name, UINT width, UINT height, D3DFORMAT format,
                         const DWORD* pixels) {
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  glBindTexture(GL_TEXTURE_2D, name);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  // 0xAARRGGBB words are B, G, R, A bytes in memory. X8R8G8B8 keeps no alpha.
  const GLint internal = format == D3DFMT_X8R8G8B8 ? GL_RGB8 : GL_RGBA8;
  glTexImage2D(GL_TEXTURE_2D, 0, internal, GLsizei(width), GLsizei(height), 0, GL_BGRA,
               GL_UNSIGNED_INT_8_8_8_8_REV, pixels);
  glBindTexture(GL_TEXTURE_2D, GLuint(bound));
}

void ReadTexturePixels(GLuint name, UINT width, UINT height, std::vector<DWORD>* pixels) {
  pixels->assign(size_t(width) * height, 0);
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  glBindTexture(GL_TEXTURE_2D, name);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, pixels->data());
  glBindTexture(GL_TEXTURE_2D, GLuint(bound));
}

namespace {

std::shared_ptr<GLTextureImage> Uploaded(UINT width, UINT height, D3DFORMAT format,
                                         const std::vector<DWORD>& pixels) {
  auto image = std::make_shared<GLTextureImage>();
  UploadTexturePixels(image->name, width, height, format, pixels.data());
  return image;
}

}  // namespace

std::shared_ptr<GLTextureImage> GLTextureImages::Image(UINT width, UINT height,
                                                       D3DFORMAT format,
                                                       const std::vector<DWORD>& pixels) {
  // OpenGL keeps no alpha of X8R8G8B8, so only A8R8G8B8 reads back as given.
  if (format != D3DFMT_A8R8G8B8) return Uploaded(width, height, format, pixels);
  const std::size_t key = std::hash<std::string_view>()(std::string_view(
      reinterpret_cast<const char*>(pixels.data()), pixels.size() * sizeof(DWORD)));
  std::vector<DWORD> held;
  auto [first, last] = entries_.equal_range(key);
  for (auto at = first; at != last; ++at) {
    std::shared_ptr<GLTextureImage> image = at->second.lock();
    if (!image || image->width != width || image->height != height) continue;
    // Equal hashes of unequal pixels are rare, not impossible.
    ReadTexturePixels(image->name, width, height, &held);
    if (held == pixels) return image;
  }
  for (auto at = entries_.begin(); at != entries_.end();)
    at = at->second.expired() ? entries_.erase(at) : std::next(at);
  auto image = Uploaded(width, height, format, pixels);
  image->width = width;
  image->height = height;
  entries_.emplace(key, image);
  return image;
}
