// A small program on the framework, the device and the .x reader alone: it
// draws the game's ball and first board, lit and textured, and checks the
// back buffer frame by frame: the clear colour around them, the model's
// colours where they are, a light turned down, depth order, wireframe (F8).
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/d3d9/gl_device.h"
#include "platform/d3dx9/d3dx9anim.h"
#include "platform/d3dx9/d3dx9tex.h"
#include "platform/dxut/command_line.h"
#include "platform/dxut/dxut.h"
#include "platform/win32/wide_text.h"
#include "tools/png_file/png_file.h"

namespace {

constexpr D3DCOLOR kClear = 0xFF424B79;

struct Container : D3DXMESHCONTAINER {
  std::vector<D3DMATERIAL9> materials;
  std::vector<IDirect3DTexture9*> textures;
};

// Keeps meshes, materials and the textures they name (from res/images).
class ModelAllocator : public ID3DXAllocateHierarchy {
 public:
  IDirect3DDevice9* device = nullptr;
  HRESULT CreateFrame(LPCSTR, D3DXFRAME** out) override {
    *out = new D3DXFRAME{};
    D3DXMatrixIdentity(&(*out)->TransformationMatrix);
    return S_OK;
  }
  HRESULT CreateMeshContainer(LPCSTR, const D3DXMESHDATA* data, const D3DXMATERIAL* materials,
                              const D3DXEFFECTINSTANCE*, DWORD count, const DWORD*,
                              ID3DXSkinInfo*, D3DXMESHCONTAINER** out) override {
    auto* c = new Container{};
    c->MeshData = *data;
    c->MeshData.pMesh->AddRef();
    for (DWORD i = 0; i < count; ++i) {
      c->materials.push_back(materials[i].MatD3D);
      IDirect3DTexture9* texture = nullptr;
      if (materials[i].pTextureFilename) {
        const std::u16string path =
            u"res/images/" + Utf8ToWide(materials[i].pTextureFilename,
                                        std::strlen(materials[i].pTextureFilename));
        if (FAILED(D3DXCreateTextureFromFileW(device, path.c_str(), &texture))) texture = nullptr;
      }
      c->textures.push_back(texture);
    }
    c->NumMaterials = count;
    *out = c;
    return S_OK;
  }
  HRESULT DestroyFrame(D3DXFRAME* f) override {
    delete f;
    return S_OK;
  }
  HRESULT DestroyMeshContainer(D3DXMESHCONTAINER* base) override {
    auto* c = static_cast<Container*>(base);
    c->MeshData.pMesh->Release();
    for (IDirect3DTexture9* t : c->textures)
      if (t) t->Release();
    delete c;
    return S_OK;
  }
};

struct Model {
  D3DXFRAME* root = nullptr;
  D3DXVECTOR3 centre;
  float radius = 0;

  void Draw(IDirect3DDevice9* d, const D3DXFRAME* f) const {
    for (; f; f = f->pFrameSibling) {
      for (auto* m = f->pMeshContainer; m; m = m->pNextMeshContainer) {
        auto* c = static_cast<const Container*>(m);
        for (DWORD i = 0; i < c->NumMaterials; ++i) {
          d->SetMaterial(&c->materials[i]);
          d->SetTexture(0, c->textures[i]);
          c->MeshData.pMesh->DrawSubset(i);
        }
      }
      Draw(d, f->pFrameFirstChild);
    }
  }
};

ModelAllocator g_allocator;
Model g_ball, g_board;
std::vector<std::vector<DWORD>> g_frames;  // the back buffer after each frame
int g_frame = 0;
UINT g_width = 0, g_height = 0;

bool Load(IDirect3DDevice9* d, const char16_t* file, Model* model) {
  if (FAILED(D3DXLoadMeshHierarchyFromXW(file, 0, d, &g_allocator, nullptr, &model->root,
                                         nullptr)))
    return false;
  return SUCCEEDED(D3DXFrameCalculateBoundingSphere(model->root, &model->centre, &model->radius));
}

HRESULT OnCreated(IDirect3DDevice9* d, const D3DSURFACE_DESC*) {
  g_allocator.device = d;
  if (!Load(d, u"res/images/ball.x", &g_ball) || !Load(d, u"res/images/map1.x", &g_board))
    return E_FAIL;
  return S_OK;
}

HRESULT OnReset(IDirect3DDevice9* d, const D3DSURFACE_DESC* bb) {
  d->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
  d->SetRenderState(D3DRS_NORMALIZENORMALS, TRUE);
  d->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
  d->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
  D3DXMATRIX projection;
  D3DXMatrixPerspectiveFovLH(&projection, D3DX_PI / 4, float(bb->Width) / float(bb->Height),
                             0.1f, 100.0f);
  d->SetTransform(D3DTS_PROJECTION, &projection);
  g_width = bb->Width;
  g_height = bb->Height;
  return S_OK;
}

void OnDestroyed() {
  D3DXFrameDestroy(g_ball.root, &g_allocator);
  D3DXFrameDestroy(g_board.root, &g_allocator);
  g_ball.root = g_board.root = nullptr;
}

// World matrix putting a model's centre at `at`, `size` across.
D3DXMATRIX Place(const Model& m, D3DXVECTOR3 at, float size, bool faceCamera) {
  D3DXMATRIX centre, scale, turn, move;
  D3DXMatrixTranslation(&centre, -m.centre.x, -m.centre.y, -m.centre.z);
  D3DXMatrixScaling(&scale, size / (2 * m.radius), size / (2 * m.radius), size / (2 * m.radius));
  D3DXMatrixRotationX(&turn, faceCamera ? -D3DX_PI / 2 : 0);
  D3DXMatrixTranslation(&move, at.x, at.y, at.z);
  return centre * scale * turn * move;
}

// Frames: 1 the ball alone, fully lit; 2 the light at half; 3 the board
// behind the ball; 4 the board alone; 5 in wireframe (F8 pressed in 4).
void OnRender(IDirect3DDevice9* d, double, float) {
  g_frame += 1;
  d->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kClear, 1.0f, 0);
  if (FAILED(d->BeginScene())) return;
  D3DXMATRIX view;
  D3DXMatrixIdentity(&view);
  d->SetTransform(D3DTS_VIEW, &view);
  D3DLIGHT9 light{};
  light.Type = D3DLIGHT_DIRECTIONAL;
  const float brightness = g_frame == 2 ? 0.5f : 1.0f;
  light.Diffuse = {brightness, brightness, brightness, 1};
  light.Direction = {0, 0, 1};
  light.Range = 1000;
  d->SetLight(0, &light);
  d->LightEnable(0, TRUE);

  if (g_frame != 4) {
    const D3DXMATRIX world = Place(g_ball, {0, 0, 5}, 1.5f, false);
    d->SetTransform(D3DTS_WORLD, &world);
    g_ball.Draw(d, g_ball.root);
  }
  if (g_frame == 3 || g_frame == 4) {
    const D3DXMATRIX world = Place(g_board, {0, 0, 8}, 12.0f, true);
    d->SetTransform(D3DTS_WORLD, &world);
    g_board.Draw(d, g_board.root);
  }
  d->EndScene();
  std::vector<DWORD> pixels;
  ReadGLBackBuffer(d, &pixels, nullptr, nullptr);
  g_frames.push_back(pixels);
  WritePng(PictureFolder() + "/framework_models_" + std::to_string(g_frame) + ".png", pixels,
           g_width, g_height);
  if (g_frame == 4) {
    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    key.key.keysym.sym = SDLK_F8;
    SDL_PushEvent(&key);
  }
}

int Channel(DWORD p, int shift) { return int((p >> shift) & 0xff); }
int Drawn(const std::vector<DWORD>& frame) {
  int drawn = 0;
  for (DWORD p : frame) drawn += p != kClear;
  return drawn;
}

TEST(ModelDrawing, BallAndBoardAreDrawnLitTexturedInDepthOrder) {
  std::string a0 = "model_draw_test", a1 = "-windowed", a2 = "-width:320", a3 = "-height:240",
              a4 = "-quitafterframe:5", a5 = "-noerrormsgboxes";
  char* argv[] = {a0.data(), a1.data(), a2.data(), a3.data(), a4.data(), a5.data()};
  DXUTSetCommandLine(6, argv);
  DXUTSetCallbackDeviceCreated(OnCreated);
  DXUTSetCallbackDeviceReset(OnReset);
  DXUTSetCallbackDeviceDestroyed(OnDestroyed);
  DXUTSetCallbackFrameRender(OnRender);
  DXUTInit(true, true, true);
  DXUTCreateWindow(u"Models");
  DXUTCreateDevice(0, false, 1024, 768);
  DXUTMainLoop();
  ASSERT_EQ(DXUTGetExitCode(), 0);
  ASSERT_EQ(g_frames.size(), 5u);

  auto at = [](int frame, UINT x, UINT y) { return g_frames[frame - 1][size_t(y) * g_width + x]; };
  const UINT cx = g_width / 2, cy = g_height / 2;
  // Around the ball: the clear colour; on it, its lit texture.
  EXPECT_EQ(at(1, 2, 2), kClear);
  EXPECT_EQ(at(1, g_width - 3, g_height - 3), kClear);
  const DWORD ball = at(1, cx, cy);
  EXPECT_NE(ball, kClear);
  EXPECT_GT(Channel(ball, 0) + Channel(ball, 8) + Channel(ball, 16), 150) << "lit from the front";
  const int ballPixels = Drawn(g_frames[0]);
  EXPECT_GT(ballPixels, 3000);
  EXPECT_LT(ballPixels, 30000);

  // The light at half. The ball's material glows at 0.35 of itself
  // (emissive) and there is no ambient light: full light gives 1.35 of the
  // texture, held at 1, and half light 0.85 of it.
  const DWORD dim = at(2, cx, cy);
  for (int shift : {0, 8, 16}) EXPECT_NEAR(Channel(dim, shift), Channel(ball, shift) * 0.85, 3);

  // The board behind: the ball still in front, the board around it.
  EXPECT_EQ(at(3, cx, cy), ball);
  const DWORD board = at(4, cx, cy);
  EXPECT_NE(board, ball);
  EXPECT_NE(board, kClear);
  EXPECT_EQ(at(3, cx, 20), at(4, cx, 20)) << "the board where the ball is not";

  // Wireframe: edges only, so most of the ball is the clear colour.
  EXPECT_GT(Drawn(g_frames[4]), 100);
  EXPECT_LT(Drawn(g_frames[4]), ballPixels * 3 / 4);
}

}  // namespace
