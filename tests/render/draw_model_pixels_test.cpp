// A model with a plain and a skinned piece drawn by the OpenGL device: the
// plain piece goes where the object is, the skinned one where its bones are.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <vector>

#include "platform/d3d9/gl_device.h"
#include "render/draw_model.h"
#include "render/model_loading.h"
#include "world/scene.h"

namespace {

constexpr int Size = 200;

class DrawModelPixelsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    PrepareGLWindowAttributes();
    window = SDL_CreateWindow("model", 0, 0, Size, Size, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(CreateGLDevice(window, D3DDEVTYPE_HAL, Size, Size, &device), D3D_OK);
    // 20 units across at the origin, seen from -z; lighting off: white.
    D3DXMATRIX view, projection;
    const D3DXVECTOR3 eye{0, 0, -10}, at{0, 0, 0}, up{0, 1, 0};
    D3DXMatrixLookAtLH(&view, &eye, &at, &up);
    D3DXMatrixPerspectiveFovLH(&projection, D3DX_PI / 2, 1.0f, 1.0f, 100.0f);
    device->SetTransform(D3DTS_VIEW, &view);
    device->SetTransform(D3DTS_PROJECTION, &projection);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
  }
  void TearDown() override {
    FreeObjectModel(&object);
    if (device) device->Release();
    DestroyGLContext();
    if (window) SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }
  void Draw() {
    ComputeFrameMatrices(object.frameRoot, nullptr);
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    device->BeginScene();
    DrawModelTree(device, object.frameRoot, &object);
    device->EndScene();
    UINT w, h;
    ASSERT_EQ(ReadGLBackBuffer(device, &pixels, &w, &h), D3D_OK);
  }
  // Whether the point (x, y) of the z = 0 plane is drawn.
  bool Drawn(float x, float y) const {
    const int px = int((x + 10) / 20 * Size), py = int((10 - y) / 20 * Size);
    return (pixels[size_t(py) * Size + px] & 0xFFFFFF) == 0xFFFFFF;
  }

  SDL_Window* window = nullptr;
  IDirect3DDevice9* device = nullptr;
  GameObject object{"goal", 0};
  MeshHierarchy allocator;
  std::vector<DWORD> pixels;
};

TEST_F(DrawModelPixelsTest, PlainPiecesFollowTheObjectAndSkinnedPiecesTheirBones) {
  ASSERT_EQ(LoadObjectMesh("../../tests/render/models/skinned.x", device, &object, &allocator), S_OK);
  ASSERT_TRUE(object.meshLoaded);
  for (const float x : {-6.0f, 5.0f}) {
    object.position = {x, 0, 0};
    Draw();
    SCOPED_TRACE(x);
    EXPECT_TRUE(Drawn(x + 0.2f, 0.2f)) << "the plain triangle at the object";
    EXPECT_TRUE(Drawn(0.2f, 1.0f)) << "the skinned strip at its bones";
    EXPECT_FALSE(Drawn(x + 0.2f, 1.5f));
  }
}

}  // namespace
