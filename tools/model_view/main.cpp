// model_view [OUT_DIR]: from the game's folder, draws each level as the
// game's camera sees it (map1 also as the title screen and tilted), and
// each model close up from the same angle, into PNG files (default
// build/model_view).
#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "files/map_reader.h"
#include "platform/d3d9/gl_device.h"
#include "render/draw_model.h"
#include "render/model_loading.h"
#include "tools/png_file/png_file.h"
#include "world/level_clock.h"
#include "world/scene.h"

namespace {

constexpr UINT Width = 1024, Height = 768;
constexpr DWORD ClearColour = 0x00424B79;

void SetUpDevice(IDirect3DDevice9* device) {
  device->SetRenderState(D3DRS_LIGHTING, 1);
  device->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
  device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
  device->SetRenderState(D3DRS_AMBIENT, 0x33333333);
  device->SetRenderState(D3DRS_NORMALIZENORMALS, 1);
  device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
  device->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
  D3DXMATRIX projection;
  D3DXMatrixPerspectiveFovLH(&projection, 0.7853982f, f32(Width) / f32(Height), 0.3125f, 4000.0f);
  device->SetTransform(D3DTS_PROJECTION, &projection);
}

D3DLIGHT9 FreshLight() {
  D3DLIGHT9 light{};
  light.Diffuse = {1, 1, 1, 0};
  light.Ambient = {1, 1, 1, 0};
  return light;
}

// The level's lights as the game sets them, or the default light.
void SetLights(IDirect3DDevice9* device, const Scene* scene) {
  DWORD index = 0;
  for (GameObject* o = scene ? scene->firstObject : nullptr; o; o = o->next) {
    if (!o->TypeIs("LIGHT") || !o->shown) continue;
    D3DLIGHT9 light = FreshLight();
    if (o->lightKind == SpotLight) {
      light.Type = D3DLIGHT_SPOT;
      light.Position = {o->position.x, o->position.y, o->position.z};
      if (GameObject* aim = scene->FindByName(o->followName))
        light.Direction = {aim->position.x - o->position.x, aim->position.y - o->position.y,
                           aim->position.z - o->position.z};
      light.Range = 100.0f;
      light.Falloff = 80.0f;
      light.Attenuation0 = 1.0f;
      light.Theta = 0.5f;
      light.Phi = 5.0f;
    } else if (o->lightKind == PointLight) {
      light.Type = D3DLIGHT_POINT;
      light.Position = {-5.0f, 5.0f, 0.0f};
      light.Range = 20.0f;
      light.Attenuation0 = 0.1f;
    }
    device->SetLight(index, &light);
    device->LightEnable(index++, TRUE);
  }
  for (DWORD i = index; i < 8; ++i) device->LightEnable(i, FALSE);
  if (index == 0) {
    D3DLIGHT9 light = FreshLight();
    light.Type = D3DLIGHT_DIRECTIONAL;
    light.Diffuse.a = 1.0f;
    light.Direction = {0, -1, 0};
    light.Range = 1000.0f;
    device->SetLight(0, &light);
    device->LightEnable(0, TRUE);
  }
}

void SetGameView(IDirect3DDevice9* device, const Vec3& eye) {
  D3DXMATRIX turn, look, view;
  const D3DXVECTOR3 from{eye.x, eye.y, eye.z}, at{0, 0, 0}, up{0, 1, 0};
  D3DXMatrixRotationYawPitchRoll(&turn, -1.5707964f, 0, 0);
  D3DXMatrixLookAtLH(&look, &from, &at, &up);
  D3DXMatrixMultiply(&view, &turn, &look);
  device->SetTransform(D3DTS_VIEW, &view);
}

bool Save(IDirect3DDevice9* device, const std::string& path) {
  std::vector<DWORD> pixels;
  UINT w = 0, h = 0;
  if (FAILED(ReadGLBackBuffer(device, &pixels, &w, &h))) return false;
  const bool ok = WritePng(path, pixels, w, h);
  std::printf("%s %s\n", ok ? "wrote" : "FAILED", path.c_str());
  return ok;
}

void DrawScene(IDirect3DDevice9* device, Scene* scene) {
  device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, ClearColour, 1.0f, 0);
  SetGameView(device, scene->cameraPosition);
  SetLights(device, scene);
  device->BeginScene();
  for (GameObject* o = scene->firstObject; o; o = o->next) {
    if (!o->meshLoaded || !o->shown) continue;
    ComputeFrameMatrices(static_cast<ModelFrame*>(o->frameRoot), nullptr);
    DrawModelTree(device, o->frameRoot, o);
  }
  device->EndScene();
}

void DrawLevels(IDirect3DDevice9* device, const std::string& out) {
  std::vector<std::string> maps;
  for (const auto& entry : std::filesystem::directory_iterator("res/maps"))
    if (entry.path().extension() == ".mn") maps.push_back(entry.path().filename().string());
  std::sort(maps.begin(), maps.end());
  for (const std::string& map : maps) {
    LoadLevelMap(device, map.c_str());
    if (!CurrentScene) continue;
    const std::string stem = map.substr(0, map.size() - 3);
    DrawScene(device, CurrentScene);
    Save(device, out + "/level_" + stem + ".png");
    if (stem == "map1") {
      GameObject* board = CurrentScene->FindByType("map");
      board->rotation = {0.2f, 0.0f, -0.2f};
      DrawScene(device, CurrentScene);
      Save(device, out + "/level_map1_tilted.png");
      board->rotation = {0, 0, 0};
      CurrentScene->SetShownByType("title", 1);
      DrawScene(device, CurrentScene);
      Save(device, out + "/title_screen.png");
    }
  }
}

// A model alone at the origin, framed from the direction the game looks.
void DrawModel(IDirect3DDevice9* device, const std::string& file, const std::string& out) {
  MeshHierarchy allocator;
  GameObject object("goal", 0);  // drawn about its origin, with no box
  if (FAILED(LoadObjectMesh(file.c_str(), device, &object, &allocator)) || !object.meshLoaded) {
    std::printf("FAILED to load %s\n", file.c_str());
    FreeObjectModel(&object);
    return;
  }
  ModelFrame* root = static_cast<ModelFrame*>(object.frameRoot);
  ComputeFrameMatrices(root, nullptr);
  D3DXVECTOR3 centre;
  float radius = 1.0f;
  D3DXFrameCalculateBoundingSphere(root, &centre, &radius);
  const float distance = radius / std::sin(0.7853982f / 2) * 1.05f;
  const D3DXVECTOR3 eye{centre.x - 10.0f / 26.926f * distance, centre.y + 25.0f / 26.926f * distance, centre.z};
  const D3DXVECTOR3 up{0, 1, 0};
  D3DXMATRIX view;
  D3DXMatrixLookAtLH(&view, &eye, &centre, &up);
  device->SetTransform(D3DTS_VIEW, &view);
  SetLights(device, nullptr);
  device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, ClearColour, 1.0f, 0);
  device->BeginScene();
  DrawModelTree(device, root, &object);
  device->EndScene();
  Save(device, out + "/model_" + file.substr(0, file.size() - 2) + ".png");
  FreeObjectModel(&object);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string out = argc > 1 ? argv[1] : "build/model_view";
  std::filesystem::create_directories(out);
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
  PrepareGLWindowAttributes();
  SDL_Window* window = SDL_CreateWindow("model_view", 0, 0, Width, Height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  IDirect3DDevice9* device = nullptr;
  if (!window || FAILED(CreateGLDevice(window, D3DDEVTYPE_HAL, Width, Height, &device))) return 1;
  SetUpDevice(device);

  std::vector<std::string> models;
  for (const auto& entry : std::filesystem::directory_iterator("res/images")) {
    const std::string name = entry.path().filename().string();
    if (entry.path().extension() == ".x" && name.rfind("map", 0) != 0) models.push_back(name);
  }
  std::sort(models.begin(), models.end());
  for (const std::string& model : models) DrawModel(device, model, out);
  DrawLevels(device, out);

  delete CurrentScene;
  CurrentScene = nullptr;
  delete CurrentLevelClock;
  device->Release();
  DestroyGLContext();
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
