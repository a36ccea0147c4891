#include "game/frame_render.h"
#include "game/menu_buttons.h"
#include "platform/d3dx9/d3dx9math.h"
#include "world/scene.h"

namespace {

// Diffuse and ambient white; the diffuse dimmed while the exit prompt is up.
D3DLIGHT9 FreshLight() {
  const f32 diffuse = ExitPromptShown ? 0.4f : 1.0f;
  D3DLIGHT9 light{};
  light.Diffuse = {diffuse, diffuse, diffuse, 0.0f};
  light.Ambient = {1.0f, 1.0f, 1.0f, 0.0f};
  return light;
}

D3DLIGHT9 LightOf(const Scene& scene, const GameObject& o) {
  D3DLIGHT9 light = FreshLight();
  if (o.lightKind == SpotLight) {
    light.Type = D3DLIGHT_SPOT;
    light.Position = {o.position.x, o.position.y, o.position.z};
    if (const GameObject* aim = scene.FindByName(o.followName))
      light.Direction = {aim->position.x - o.position.x, aim->position.y - o.position.y,
                         aim->position.z - o.position.z};
    light.Range = 100.0f;
    light.Falloff = 80.0f;
    light.Attenuation0 = 1.0f;
    light.Theta = 0.5f;
    light.Phi = 5.0f;
  } else if (o.lightKind == PointLight) {
    // Every point light stands at the same place, wherever its object is.
    light.Type = D3DLIGHT_POINT;
    light.Position = {-5.0f, 5.0f, 0.0f};
    light.Range = 20.0f;
    light.Attenuation0 = 0.1f;
  }
  return light;
}

}  // namespace

void SetSceneLights(IDirect3DDevice9* device) {
  DWORD index = 0;
  if (Scene* scene = CurrentScene) {
    for (scene->cursor = scene->firstObject; scene->cursor; scene->cursor = scene->cursor->next) {
      const GameObject& o = *scene->cursor;
      if (!o.TypeIs("LIGHT") || !o.shown) continue;
      const D3DLIGHT9 light = LightOf(*scene, o);
      device->SetLight(index, &light);
      device->LightEnable(index, TRUE);
      index += 1;
    }
  }
  if (index > 0) return;
  D3DLIGHT9 light = FreshLight();
  light.Type = D3DLIGHT_DIRECTIONAL;
  light.Diffuse.a = 1.0f;
  const D3DXVECTOR3 down{0.0f, -1.0f, 0.0f};
  D3DXVECTOR3 direction;
  light.Direction = *D3DXVec3Normalize(&direction, &down);
  light.Range = 1000.0f;
  device->SetLight(0, &light);
  device->LightEnable(0, TRUE);
}
