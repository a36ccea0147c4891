#include "platform/d3d9/gl_back_buffer.h"

#include <SDL2/SDL.h>

#include <algorithm>

GLPresentRect PresentRectFor(UINT width, UINT height, int windowWidth, int windowHeight) {
  if (width == 0 || height == 0 || windowWidth <= 0 || windowHeight <= 0) return {0, 0, 0, 0};
  // The largest rectangle of the back buffer's shape that fits, centred.
  const double scale =
      std::min(double(windowWidth) / double(width), double(windowHeight) / double(height));
  const int w = int(double(width) * scale + 0.5), h = int(double(height) * scale + 0.5);
  return {(windowWidth - w) / 2, (windowHeight - h) / 2, w, h};
}

bool GLBackBuffer::Create(UINT width, UINT height) {
  Destroy();
  width_ = width;
  height_ = height;
  glGenRenderbuffers(1, &color_);
  glBindRenderbuffer(GL_RENDERBUFFER, color_);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, GLsizei(width), GLsizei(height));
  glGenRenderbuffers(1, &depth_);
  glBindRenderbuffer(GL_RENDERBUFFER, depth_);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, GLsizei(width), GLsizei(height));
  glGenFramebuffers(1, &framebuffer_);
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, color_);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth_);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_STENCIL_ATTACHMENT, GL_RENDERBUFFER, depth_);
  return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

void GLBackBuffer::Destroy() {
  if (framebuffer_) glDeleteFramebuffers(1, &framebuffer_);
  if (color_) glDeleteRenderbuffers(1, &color_);
  if (depth_) glDeleteRenderbuffers(1, &depth_);
  framebuffer_ = color_ = depth_ = 0;
}

void GLBackBuffer::Bind() const { glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_); }

void GLBackBuffer::Present(SDL_Window* window) const {
  int w = 0, h = 0;
  SDL_GL_GetDrawableSize(window, &w, &h);
  const GLPresentRect r = PresentRectFor(width_, height_, w, h);
  const bool scissor = glIsEnabled(GL_SCISSOR_TEST);
  glDisable(GL_SCISSOR_TEST);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
  if (r.width != w || r.height != h) {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  const bool same = r.width == int(width_) && r.height == int(height_);
  glBlitFramebuffer(0, 0, GLint(width_), GLint(height_), r.x, h - r.y - r.height, r.x + r.width,
                    h - r.y, GL_COLOR_BUFFER_BIT, same ? GL_NEAREST : GL_LINEAR);
  SDL_GL_SwapWindow(window);
  Bind();
  if (scissor) glEnable(GL_SCISSOR_TEST);
}

void GLBackBuffer::Read(std::vector<DWORD>* pixels) const {
  std::vector<DWORD> rows(size_t(width_) * height_);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glReadPixels(0, 0, GLsizei(width_), GLsizei(height_), GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,
               rows.data());
  pixels->resize(rows.size());
  // OpenGL's first row is the bottom one; the back buffer's alpha is unused.
  for (UINT y = 0; y < height_; ++y)
    for (UINT x = 0; x < width_; ++x)
      (*pixels)[size_t(y) * width_ + x] = rows[size_t(height_ - 1 - y) * width_ + x] | 0xFF000000u;
}
