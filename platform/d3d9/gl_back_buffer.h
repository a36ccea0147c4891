// The device's back buffer: a framebuffer object of the size the device was
// made with, whatever the window's size. Present scales it into the window,
// keeping its shape, and it keeps its picture after present for reading.
#pragma once
#include <vector>

#include "platform/d3d9/gl_api.h"
#include "platform/d3d9/gl_device.h"

struct SDL_Window;

class GLBackBuffer {
 public:
  ~GLBackBuffer() { Destroy(); }
  bool Create(UINT width, UINT height);
  void Destroy();
  void Bind() const;
  void Present(SDL_Window* window) const;
  void Read(std::vector<DWORD>* pixels) const;
  UINT width() const { return width_; }
  UINT height() const { return height_; }

 private:
  UINT width_ = 0, height_ = 0;
  GLuint framebuffer_ = 0, color_ = 0, depth_ = 0;
};
