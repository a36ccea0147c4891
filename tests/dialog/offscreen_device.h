// An OpenGL device on a hidden window of SDL's offscreen driver, with the
// dialog resources made for it, for pixel checks and benchmarks.
#pragma once
#include <SDL.h>

#include <vector>

#include "platform/d3d9/gl_device.h"
#include "platform/dxut/dxut_gui.h"

class OffscreenDevice {
 public:
  OffscreenDevice(UINT width, UINT height) {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return;
    PrepareGLWindowAttributes();
    window_ = SDL_CreateWindow("dialog", 0, 0, int(width), int(height),
                               SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!window_ || FAILED(CreateGLDevice(window_, D3DDEVTYPE_HAL, width, height, &device_))) {
      device_ = nullptr;
      return;
    }
    CDXUTDialogResourceManager* resources = DXUTGetGlobalDialogResourceManager();
    if (FAILED(resources->OnCreateDevice(device_)) || FAILED(resources->OnResetDevice())) {
      device_->Release();
      device_ = nullptr;
    }
  }
  ~OffscreenDevice() {
    if (device_) {
      DXUTGetGlobalDialogResourceManager()->OnLostDevice();
      DXUTGetGlobalDialogResourceManager()->OnDestroyDevice();
      device_->Release();
      DestroyGLContext();
    }
    if (window_) SDL_DestroyWindow(window_);
    SDL_Quit();
  }
  IDirect3DDevice9* device() const { return device_; }

  // The back buffer as drawn so far, 0xAARRGGBB, top row first.
  std::vector<DWORD> Pixels(UINT* width, UINT* height) const {
    std::vector<DWORD> pixels;
    ReadGLBackBuffer(device_, &pixels, width, height);
    return pixels;
  }

 private:
  SDL_Window* window_ = nullptr;
  IDirect3DDevice9* device_ = nullptr;
};
