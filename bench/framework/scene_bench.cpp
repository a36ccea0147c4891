// Frames per second of the OpenGL device at 1024 × 768 offscreen for a scene
// like a level: a textured board of 3,200 triangles, 60 lit and textured
// balls of 200 triangles each, a full-screen sky and three lights, presented
// every frame; and the same with every ball a skinned mesh of two bones,
// blended on the CPU. Run it on all cores and on two:
//   taskset -c 0,1 env LP_NUM_THREADS=2 build/bench/framework/framework_scene_bench
#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "platform/d3d9/gl_device.h"
#include "platform/d3dx9/d3dx9math.h"

namespace {

constexpr UINT kWidth = 1024, kHeight = 768;

struct Vertex {
  float x, y, z, nx, ny, nz, u, v;
};
constexpr DWORD kFvf = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;

// A vertex of a skinned mesh: the first bone's weight after the position.
struct BlendVertex {
  float x, y, z, weight, nx, ny, nz, u, v;
};
constexpr DWORD kBlendFvf = D3DFVF_XYZB1 | D3DFVF_NORMAL | D3DFVF_TEX1;

struct Mesh {
  IDirect3DVertexBuffer9* vb = nullptr;
  IDirect3DIndexBuffer9* ib = nullptr;
  UINT vertices = 0, triangles = 0;
  DWORD fvf = kFvf;
  UINT stride = sizeof(Vertex);
  void Draw(IDirect3DDevice9* d) const {
    d->SetFVF(fvf);
    d->SetStreamSource(0, vb, 0, stride);
    d->SetIndices(ib);
    d->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, vertices, 0, triangles);
  }
  void Release() {
    if (vb) vb->Release();
    if (ib) ib->Release();
  }
};

template <typename V>
Mesh MakeMesh(IDirect3DDevice9* d, const std::vector<V>& v, const std::vector<WORD>& index,
              DWORD fvf) {
  Mesh m;
  m.vertices = UINT(v.size());
  m.triangles = UINT(index.size() / 3);
  m.fvf = fvf;
  m.stride = sizeof(V);
  d->CreateVertexBuffer(UINT(v.size() * sizeof(V)), 0, fvf, D3DPOOL_MANAGED, &m.vb, nullptr);
  d->CreateIndexBuffer(UINT(index.size() * 2), 0, D3DFMT_INDEX16, D3DPOOL_MANAGED, &m.ib, nullptr);
  void* p;
  m.vb->Lock(0, 0, &p, 0);
  std::memcpy(p, v.data(), v.size() * sizeof(V));
  m.vb->Unlock();
  m.ib->Lock(0, 0, &p, 0);
  std::memcpy(p, index.data(), index.size() * 2);
  m.ib->Unlock();
  return m;
}

// A grid in the x-z plane, facing up, cells × cells quads.
Mesh MakeBoard(IDirect3DDevice9* d, float size, int cells) {
  std::vector<Vertex> v;
  std::vector<WORD> index;
  const int n = cells + 1;
  for (int r = 0; r < n; ++r)
    for (int c = 0; c < n; ++c) {
      const float u = float(c) / float(cells), t = float(r) / float(cells);
      v.push_back({(u - 0.5f) * size, 0, (0.5f - t) * size, 0, 1, 0, u * 8, t * 8});
    }
  for (int r = 0; r < cells; ++r)
    for (int c = 0; c < cells; ++c) {
      const WORD a = WORD(r * n + c), b = WORD(a + 1), e = WORD(a + n), f = WORD(e + 1);
      index.insert(index.end(), {a, b, e, e, b, f});
    }
  return MakeMesh(d, v, index, kFvf);
}

// A sphere of 10 rings by 10 segments: 200 triangles. Skinned, its top
// half follows the first bone and its bottom half the second.
Mesh MakeBall(IDirect3DDevice9* d, float radius, bool skinned) {
  std::vector<Vertex> v;
  std::vector<WORD> index;
  const int rings = 10, segments = 10;
  for (int r = 0; r <= rings; ++r)
    for (int s = 0; s <= segments; ++s) {
      const float th = float(r) / rings * D3DX_PI, ph = float(s) / segments * 2 * D3DX_PI;
      const float nx = std::sin(th) * std::cos(ph), ny = std::cos(th), nz = std::sin(th) * std::sin(ph);
      v.push_back({nx * radius, ny * radius, nz * radius, nx, ny, nz, float(s) / segments,
                   float(r) / rings});
    }
  for (int r = 0; r < rings; ++r)
    for (int s = 0; s < segments; ++s) {
      const WORD a = WORD(r * (segments + 1) + s), b = WORD(a + 1), e = WORD(a + segments + 1),
                 f = WORD(e + 1);
      index.insert(index.end(), {a, e, b, b, e, f});
    }
  if (!skinned) return MakeMesh(d, v, index, kFvf);
  std::vector<BlendVertex> blended;
  for (const Vertex& p : v)
    blended.push_back({p.x, p.y, p.z, (p.ny + 1) / 2, p.nx, p.ny, p.nz, p.u, p.v});
  return MakeMesh(d, blended, index, kBlendFvf);
}

IDirect3DTexture9* MakeTexture(IDirect3DDevice9* d, UINT size, DWORD a, DWORD b) {
  IDirect3DTexture9* t = nullptr;
  d->CreateTexture(size, size, 1, 0, D3DFMT_X8R8G8B8, D3DPOOL_MANAGED, &t, nullptr);
  D3DLOCKED_RECT locked;
  t->LockRect(0, &locked, nullptr, 0);
  for (UINT y = 0; y < size; ++y)
    for (UINT x = 0; x < size; ++x)
      static_cast<DWORD*>(locked.pBits)[y * size + x] = ((x / 16 + y / 16) & 1) ? a : b;
  t->UnlockRect(0);
  return t;
}

struct Scene {
  SDL_Window* window = nullptr;
  IDirect3DDevice9* device = nullptr;
  Mesh board, ball;
  IDirect3DTexture9 *boardTexture = nullptr, *ballTexture = nullptr, *skyTexture = nullptr;

  bool skinned = false;

  bool Open() {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    PrepareGLWindowAttributes();
    window = SDL_CreateWindow("bench", 0, 0, kWidth, kHeight, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!window || FAILED(CreateGLDevice(window, D3DDEVTYPE_HAL, kWidth, kHeight, &device)))
      return false;
    board = MakeBoard(device, 40, 40);
    ball = MakeBall(device, 0.5f, skinned);
    boardTexture = MakeTexture(device, 256, 0xff806040, 0xffa07050);
    ballTexture = MakeTexture(device, 64, 0xffc0c0ff, 0xff4040a0);
    skyTexture = MakeTexture(device, 512, 0xff6080c0, 0xff90b0e0);
    return true;
  }

  void Close() {
    board.Release();
    ball.Release();
    for (IDirect3DTexture9* t : {boardTexture, ballTexture, skyTexture})
      if (t) t->Release();
    if (device) device->Release();
    DestroyGLContext();
    if (window) SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }

  // The states a level sets at device reset, the camera and the lights.
  void SetUp() {
    IDirect3DDevice9* d = device;
    d->SetRenderState(D3DRS_LIGHTING, TRUE);
    d->SetRenderState(D3DRS_DITHERENABLE, TRUE);
    d->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
    d->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
    d->SetRenderState(D3DRS_AMBIENT, 0x33333333);
    d->SetRenderState(D3DRS_NORMALIZENORMALS, TRUE);
    d->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
    d->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
    D3DXMATRIX projection, view;
    D3DXMatrixPerspectiveFovLH(&projection, D3DX_PI / 4, float(kWidth) / kHeight, 0.3125f, 4000);
    const D3DXVECTOR3 eye(0, 30, -30), at(0, 0, 0), up(0, 1, 0);
    D3DXMatrixLookAtLH(&view, &eye, &at, &up);
    d->SetTransform(D3DTS_PROJECTION, &projection);
    d->SetTransform(D3DTS_VIEW, &view);

    D3DLIGHT9 sun{}, spot{}, point{};
    sun.Type = D3DLIGHT_DIRECTIONAL;
    sun.Diffuse = {1, 1, 1, 1};
    sun.Ambient = {1, 1, 1, 0};
    sun.Direction = {0.3f, -1, 0.2f};
    sun.Range = 1000;
    spot.Type = D3DLIGHT_SPOT;
    spot.Diffuse = {1, 1, 1, 0};
    spot.Ambient = {1, 1, 1, 0};
    spot.Position = {0, 20, 0};
    spot.Direction = {0, -20, 0};
    spot.Range = 100;
    spot.Falloff = 80;
    spot.Attenuation0 = 1;
    spot.Theta = 0.5f;
    spot.Phi = 5.0f;
    point.Type = D3DLIGHT_POINT;
    point.Diffuse = {1, 1, 1, 0};
    point.Ambient = {1, 1, 1, 0};
    point.Position = {-5, 5, 0};
    point.Range = 20;
    point.Attenuation0 = 0.1f;
    const D3DLIGHT9* lights[3] = {&sun, &spot, &point};
    for (DWORD i = 0; i < 3; ++i) {
      d->SetLight(i, lights[i]);
      d->LightEnable(i, TRUE);
    }
  }

  void DrawFrame(float t) {
    IDirect3DDevice9* d = device;
    d->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0x00424B79, 1.0f, 0);
    d->BeginScene();
    D3DMATERIAL9 material{};
    material.Diffuse = material.Ambient = {1, 1, 1, 1};
    d->SetMaterial(&material);

    // The sky: a big board 3000 away along the view, facing the camera,
    // unlit, drawn first.
    D3DXMATRIX sky, turn, move;
    D3DXMatrixRotationX(&turn, -D3DX_PI / 4);
    D3DXMatrixTranslation(&move, 0, 30 - 2121, -30 + 2121);
    D3DXMatrixScaling(&sky, 200, 1, 200);
    sky = sky * turn * move;
    d->SetRenderState(D3DRS_LIGHTING, FALSE);
    d->SetTexture(0, skyTexture);
    d->SetTransform(D3DTS_WORLD, &sky);
    board.Draw(d);
    d->SetRenderState(D3DRS_LIGHTING, TRUE);

    D3DXMATRIX tilt;
    D3DXMatrixRotationYawPitchRoll(&tilt, 0, 0.1f * std::sin(t), 0.1f * std::cos(t));
    d->SetTexture(0, boardTexture);
    d->SetTransform(D3DTS_WORLD, &tilt);
    board.Draw(d);

    d->SetTexture(0, ballTexture);
    for (int i = 0; i < 60; ++i) {
      D3DXMATRIX spin, place, world;
      D3DXMatrixRotationY(&spin, t + float(i));
      D3DXMatrixTranslation(&place, float(i % 10) * 3 - 13.5f, 0.5f, float(i / 10) * 3 - 7.5f);
      world = spin * place * tilt;
      material.Diffuse = {0.5f + 0.5f * float(i % 3) / 2, 0.8f, 1.0f - float(i % 5) / 8, 1};
      d->SetMaterial(&material);
      d->SetTransform(D3DTS_WORLD, &world);
      if (skinned) {
        // The bottom bone lags the top one by a quarter turn.
        D3DXMATRIX lag, bottom;
        D3DXMatrixRotationY(&lag, -D3DX_PI / 2);
        bottom = lag * world;
        d->SetTransform(D3DTS_WORLDMATRIX(1), &bottom);
        d->SetRenderState(D3DRS_VERTEXBLEND, D3DVBF_1WEIGHTS);
      }
      ball.Draw(d);
    }
    d->SetRenderState(D3DRS_VERTEXBLEND, D3DVBF_DISABLE);
    d->EndScene();
    d->Present(nullptr, nullptr, nullptr, nullptr);
  }
};

void BM_LevelScene(benchmark::State& state) {
  Scene scene;
  scene.skinned = state.range(0) != 0;
  if (!scene.Open()) {
    state.SkipWithError("no OpenGL device");
    scene.Close();
    return;
  }
  scene.SetUp();
  float t = 0;
  for (int i = 0; i < 10; ++i) scene.DrawFrame(t += 0.01f);  // programs made, caches warm
  std::vector<DWORD> pixels;
  ReadGLBackBuffer(scene.device, &pixels, nullptr, nullptr);  // wait for the warm-up
  for (auto _ : state) scene.DrawFrame(t += 0.01f);
  ReadGLBackBuffer(scene.device, &pixels, nullptr, nullptr);  // the last frame finished
  state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
  scene.Close();
}
// 0: plain balls; 1: skinned balls.
BENCHMARK(BM_LevelScene)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

}  // namespace
