// OpenGL images of textures, shared between textures of equal pixels: a
// level loads the same file once per object, and each copy would otherwise
// cost its own image in OpenGL.
#pragma once
#include <cstddef>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/d3d9/d3d9.h"
#include "platform/d3d9/gl_api.h"

struct GLTextureImage {
  GLTextureImage();
  ~GLTextureImage();
  GLTextureImage(const GLTextureImage&) = delete;
  GLTextureImage& operator=(const GLTextureImage&) = delete;

  GLuint name = 0;
  UINT width = 0, height = 0;
  // Sampler state last given to this image, so that it is set only when it
  // changes: min filter, mag filter, address u, address v.
  DWORD appliedSampler[4] = {0, 0, 0, 0};
};

// The images made so far, by their pixels; an image lives as long as a
// texture uses it.
class GLTextureImages {
 public:
  // An image of these pixels, made and uploaded if none exists.
  std::shared_ptr<GLTextureImage> Image(UINT width, UINT height, D3DFORMAT format,
                                        const std::vector<DWORD>& pixels);

 private:
  // A8R8G8B8 images by the hash of their pixels.
  std::unordered_multimap<std::size_t, std::weak_ptr<GLTextureImage>> entries_;
};

// Hands `pixels` (0xAARRGGBB, rows top to bottom) to texture `name`; the
// bound texture stays as it was.
void UploadTexturePixels(GLuint name, UINT width, UINT height, D3DFORMAT format,
                         const DWORD* pixels);
// Reads the level 0 pixels of texture `name`.
void ReadTexturePixels(GLuint name, UINT width, UINT height, std::vector<DWORD>* pixels);
