// The device's back buffer. When the window's surface has the back buffer's
// size, the device draws straight into it; otherwise into a framebuffer
// object of its own size, which present scales into the window, keeping its
// shape. Drawing straight in lets the renderer work on one frame while the
// next is being built; a framebuffer object must be finished to be shown.
#pragma once
#include <vector>

#include "platform/d3d9/gl_api.h"
#include "platform/d3d9/gl_device.h"

struct SDL_Window;

class GLBackBuffer {
 public:
  explicit GLBackBuffer(SDL_Window* window) : window_(window) {}
  ~GLBackBuffer();
  GLBackBuffer(const GLBackBuffer&) = delete;
  GLBackBuffer& operator=(const GLBackBuffer&) = delete;

  bool Create(UINT width, UINT height);
  // Makes the back buffer OpenGL's target.
  void Bind();
  void Present();
  // What has been drawn since the last present.
  void Read(std::vector<DWORD>* pixels) const;
  UINT width() const { return width_; }
  UINT height() const { return height_; }

 private:
  bool CreateFramebuffer();
  void DestroyFramebuffer();
  // Straight into the window when its surface has our size and depth.
  bool WindowFits() const;

  SDL_Window* window_;
  UINT width_ = 0, height_ = 0;
  bool direct_ = false;
  GLuint framebuffer_ = 0, color_ = 0, depth_ = 0;
  GLsync inFlight_[2] = {};  // the last two presented frames, until drawn
};
