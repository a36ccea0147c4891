// An OpenGL device on a hidden window of SDL's offscreen driver, a camera
// looking along +z, and helpers to draw quads and read pixels.
#pragma once
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/d3d9/gl_device.h"
#include "platform/d3dx9/d3dx9math.h"

struct LitVertex {
  float x, y, z;
  float nx, ny, nz;
  float u, v;
};
constexpr DWORD kLitFvf = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;

struct ScreenVertex {
  float x, y, z, rhw;
  D3DCOLOR color;
  float u, v;
};
constexpr DWORD kScreenFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;

// Draws an indexed triangle list from buffers made for it.
void DrawIndexed(IDirect3DDevice9* device, DWORD fvf, const void* vertices, UINT stride,
                 UINT count, const std::vector<WORD>& index);

class GLDeviceTest : public ::testing::Test {
 protected:
  static constexpr UINT kWidth = 128, kHeight = 96;

  static void SetUpTestSuite();
  static void TearDownTestSuite();
  // A device with a black, cleared back buffer, inside a scene, with the
  // camera set.
  void SetUp() override;
  void TearDown() override;

  // Projection of 90° vertically, camera at the origin looking along +z.
  void SetCamera();
  // A square of side `size` centred at (x, y, z), facing −z (toward the
  // camera), wound clockwise as seen from the camera, made of cells × cells
  // quads (counter-clockwise if not `clockwise`); texture coordinates run
  // from 0 at the top left to 1.
  void DrawQuad(float x, float y, float z, float size, int cells = 1, bool clockwise = true);
  void SetMaterial(float r, float g, float b);
  void Read();
  DWORD At(UINT x, UINT y) const { return pixels_[size_t(y) * width_ + x]; }
  static int Red(DWORD p) { return int((p >> 16) & 0xff); }
  // Writes the last read picture where a person can look at it.
  void Save(const std::string& name) const;

  static SDL_Window* window_;
  IDirect3DDevice9* device_ = nullptr;
  std::vector<DWORD> pixels_;
  UINT width_ = 0, height_ = 0;
};
