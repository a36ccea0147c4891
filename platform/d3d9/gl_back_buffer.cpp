#include "platform/d3d9/gl_back_buffer.h"

#include <EGL/egl.h>
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

namespace {

// The pixels of the surface OpenGL draws the window into. SDL reports the
// window's size, which an EGL surface (SDL's offscreen driver) does not
// follow when the window is resized.
void SurfaceSize(SDL_Window* window, int* w, int* h) {
  SDL_GL_GetDrawableSize(window, w, h);
  if (eglGetCurrentContext() == EGL_NO_CONTEXT) return;
  EGLint ew = 0, eh = 0;
  EGLDisplay display = eglGetCurrentDisplay();
  EGLSurface surface = eglGetCurrentSurface(EGL_DRAW);
  if (eglQuerySurface(display, surface, EGL_WIDTH, &ew) &&
      eglQuerySurface(display, surface, EGL_HEIGHT, &eh)) {
    *w = ew;
    *h = eh;
  }
}

}  // namespace

bool GLBackBuffer::WindowFits() const {
  int w = 0, h = 0, depth = 0, stencil = 0;
  SurfaceSize(window_, &w, &h);
  SDL_GL_GetAttribute(SDL_GL_DEPTH_SIZE, &depth);
  SDL_GL_GetAttribute(SDL_GL_STENCIL_SIZE, &stencil);
  return w == int(width_) && h == int(height_) && depth >= 24 && stencil >= 8;
}

GLBackBuffer::~GLBackBuffer() {
  for (GLsync frame : inFlight_)
    if (frame) glDeleteSync(frame);
  DestroyFramebuffer();
}

bool GLBackBuffer::Create(UINT width, UINT height) {
  width_ = width;
  height_ = height;
  DestroyFramebuffer();
  direct_ = WindowFits();
  if (!direct_ && !CreateFramebuffer()) return false;
  Bind();
  return true;
}

bool GLBackBuffer::CreateFramebuffer() {
  if (framebuffer_) return true;
  glGenRenderbuffers(1, &color_);
  glBindRenderbuffer(GL_RENDERBUFFER, color_);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, GLsizei(width_), GLsizei(height_));
  glGenRenderbuffers(1, &depth_);
  glBindRenderbuffer(GL_RENDERBUFFER, depth_);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, GLsizei(width_), GLsizei(height_));
  glGenFramebuffers(1, &framebuffer_);
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, color_);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth_);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_STENCIL_ATTACHMENT, GL_RENDERBUFFER, depth_);
  const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  if (!complete) DestroyFramebuffer();
  return complete;
}

void GLBackBuffer::DestroyFramebuffer() {
  if (framebuffer_) glDeleteFramebuffers(1, &framebuffer_);
  if (color_) glDeleteRenderbuffers(1, &color_);
  if (depth_) glDeleteRenderbuffers(1, &depth_);
  framebuffer_ = color_ = depth_ = 0;
}

void GLBackBuffer::Bind() {
  if (!direct_ && !CreateFramebuffer()) direct_ = true;  // better a cut picture than none
  glBindFramebuffer(GL_FRAMEBUFFER, direct_ ? 0 : framebuffer_);
  if (direct_) glDrawBuffer(GL_BACK);
}

void GLBackBuffer::Present() {
  const bool scissor = glIsEnabled(GL_SCISSOR_TEST);
  glDisable(GL_SCISSOR_TEST);
  if (!direct_) {
    int w = 0, h = 0;
    SurfaceSize(window_, &w, &h);
    const GLPresentRect r = PresentRectFor(width_, height_, w, h);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glDrawBuffer(GL_BACK);
    if (r.width != w || r.height != h) {
      glClearColor(0, 0, 0, 1);
      glClear(GL_COLOR_BUFFER_BIT);
    }
    const bool same = r.width == int(width_) && r.height == int(height_);
    glBlitFramebuffer(0, 0, GLint(width_), GLint(height_), r.x, h - r.y - r.height,
                      r.x + r.width, h - r.y, GL_COLOR_BUFFER_BIT, same ? GL_NEAREST : GL_LINEAR);
  }
  SDL_GL_SwapWindow(window_);
  // Where the swap shows nothing (the offscreen driver) it waits for nothing
  // either, and a software renderer then takes frames faster than it draws
  // them, holding each in memory. Two frames may be in flight; the one
  // before them must be done.
  if (inFlight_[0]) {
    glClientWaitSync(inFlight_[0], GL_SYNC_FLUSH_COMMANDS_BIT, GLuint64(1000000000));
    glDeleteSync(inFlight_[0]);
  }
  inFlight_[0] = inFlight_[1];
  inFlight_[1] = glFenceSync(GL_SYNC_GPU_COMMANDS_COMPLETE, 0);
  // The window may have changed size or mode since: the next frame goes
  // where it fits.
  direct_ = WindowFits();
  Bind();
  if (scissor) glEnable(GL_SCISSOR_TEST);
}

void GLBackBuffer::Read(std::vector<DWORD>* pixels) const {
  std::vector<DWORD> rows(size_t(width_) * height_);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, direct_ ? 0 : framebuffer_);
  if (direct_) glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glReadPixels(0, 0, GLsizei(width_), GLsizei(height_), GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,
               rows.data());
  pixels->resize(rows.size());
  // OpenGL's first row is the bottom one; the back buffer's alpha is unused.
  for (UINT y = 0; y < height_; ++y)
    for (UINT x = 0; x < width_; ++x)
      (*pixels)[size_t(y) * width_ + x] = rows[size_t(height_ - 1 - y) * width_ + x] | 0xFF000000u;
}
