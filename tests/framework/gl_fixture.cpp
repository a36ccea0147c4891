#include "tests/framework/gl_fixture.h"

#include "tools/png_file/png_file.h"

SDL_Window* GLDeviceTest::window_ = nullptr;

void GLDeviceTest::SetUpTestSuite() {
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
  PrepareGLWindowAttributes();
  window_ = SDL_CreateWindow("device test", 0, 0, int(kWidth), int(kHeight),
                             SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  ASSERT_NE(window_, nullptr) << SDL_GetError();
}

void GLDeviceTest::TearDownTestSuite() {
  DestroyGLContext();
  if (window_) SDL_DestroyWindow(window_);
  window_ = nullptr;
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void GLDeviceTest::SetUp() {
  ASSERT_NE(window_, nullptr);
  ASSERT_EQ(CreateGLDevice(window_, D3DDEVTYPE_HAL, kWidth, kHeight, &device_), D3D_OK);
  device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xff000000, 1.0f, 0);
  ASSERT_EQ(device_->BeginScene(), D3D_OK);
  SetCamera();
}

void GLDeviceTest::TearDown() {
  if (!device_) return;
  device_->EndScene();
  device_->Release();
}

void GLDeviceTest::SetCamera() {
  D3DXMATRIX projection, identity;
  D3DXMatrixPerspectiveFovLH(&projection, D3DX_PI / 2, float(kWidth) / float(kHeight), 1.0f,
                             100.0f);
  D3DXMatrixIdentity(&identity);
  device_->SetTransform(D3DTS_PROJECTION, &projection);
  device_->SetTransform(D3DTS_VIEW, &identity);
  device_->SetTransform(D3DTS_WORLD, &identity);
}

void DrawIndexed(IDirect3DDevice9* device, DWORD fvf, const void* vertices, UINT stride,
                 UINT count, const std::vector<WORD>& index) {
  IDirect3DVertexBuffer9* vb = nullptr;
  IDirect3DIndexBuffer9* ib = nullptr;
  const UINT ibytes = UINT(index.size() * 2);
  ASSERT_EQ(device->CreateVertexBuffer(count * stride, 0, fvf, D3DPOOL_MANAGED, &vb, nullptr),
            D3D_OK);
  ASSERT_EQ(device->CreateIndexBuffer(ibytes, 0, D3DFMT_INDEX16, D3DPOOL_MANAGED, &ib, nullptr),
            D3D_OK);
  void* data = nullptr;
  vb->Lock(0, 0, &data, 0);
  memcpy(data, vertices, count * stride);
  vb->Unlock();
  ib->Lock(0, 0, &data, 0);
  memcpy(data, index.data(), ibytes);
  ib->Unlock();
  device->SetFVF(fvf);
  device->SetStreamSource(0, vb, 0, stride);
  device->SetIndices(ib);
  EXPECT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, count, 0, ibytes / 6), D3D_OK);
  device->SetStreamSource(0, nullptr, 0, 0);
  device->SetIndices(nullptr);
  vb->Release();
  ib->Release();
}

// Lighting is worked out at vertices, so lights need cells.
void GLDeviceTest::DrawQuad(float x, float y, float z, float size, int cells, bool clockwise) {
  std::vector<LitVertex> v;
  std::vector<WORD> index;
  const int n = cells + 1;
  for (int row = 0; row < n; ++row)
    for (int col = 0; col < n; ++col) {
      const float u = float(col) / float(cells), t = float(row) / float(cells);
      v.push_back({x - size / 2 + size * u, y + size / 2 - size * t, z, 0, 0, -1, u, t});
    }
  for (int row = 0; row < cells; ++row)
    for (int col = 0; col < cells; ++col) {
      const WORD tl = WORD(row * n + col), tr = WORD(tl + 1), bl = WORD(tl + n), br = WORD(bl + 1);
      const WORD cw[6] = {tl, tr, bl, bl, tr, br}, ccw[6] = {tl, bl, tr, bl, br, tr};
      index.insert(index.end(), clockwise ? cw : ccw, (clockwise ? cw : ccw) + 6);
    }
  DrawIndexed(device_, kLitFvf, v.data(), sizeof(LitVertex), UINT(v.size()), index);
}

void GLDeviceTest::SetMaterial(float r, float g, float b) {
  D3DMATERIAL9 m{};
  m.Diffuse = {r, g, b, 1};
  m.Ambient = {r, g, b, 1};
  device_->SetMaterial(&m);
}

void GLDeviceTest::Read() { ReadGLBackBuffer(device_, &pixels_, &width_, &height_); }

void GLDeviceTest::Save(const std::string& name) const {
  WritePng(PictureFolder() + "/" + name + ".png", pixels_, width_, height_);
}
