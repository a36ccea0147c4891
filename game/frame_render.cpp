#include "game/frame_render.h"

#include <algorithm>
#include <cstring>

#include "files/missing_data.h"
#include "game/frame_driver.h"
#include "game/menu_buttons.h"
#include "game/status_text.h"
#include "platform/dxut/dxut.h"
#include "render/device_resources.h"
#include "render/draw_model.h"
#include "world/scene.h"

namespace {

// Under the exit prompt only the board, the sky and the title stay.
bool SeenUnderExitPrompt(const GameObject& o) {
  return o.TypeIs("map") || o.TypeIs("skybox") || o.TypeIs("title");
}

// A popped ball leaves its broken twin (its name and "_") where it was.
void DrawTwinOf(IDirect3DDevice9* device, const Scene& scene, const GameObject& ball) {
  char twinName[sizeof ball.name + 1];
  const size_t length = strnlen(ball.name, sizeof ball.name - 1);
  std::memcpy(twinName, ball.name, length);
  twinName[length] = '_';
  twinName[length + 1] = '\0';
  GameObject* twin = scene.FindByName(twinName);
  if (!twin) return;
  twin->position = ball.position;
  twin->spin = {0.0f, 0.0f, 0.0f};
  if (twin->meshLoaded) DrawModelTree(device, twin->frameRoot, twin);
}

// Where the missing-data line stands above the back buffer's bottom edge.
constexpr int MissingDataNoticeRise = 38;

// A level without its models or sounds still plays; the status text names
// only missing maps, so this says the rest on screen.
void DrawMissingDataNotice() {
  if (!GameDataMissing || !CurrentScene || !StatusFont || !StatusSprite) return;
  const int height = static_cast<int>(DXUTGetBackBufferSurfaceDesc()->Height);
  CDXUTTextHelper text(StatusFont, StatusSprite, 30);
  text.Begin();
  text.SetForegroundColor(D3DXCOLOR(1.0f, 0.3f, 0.3f, 1.0f));
  text.SetInsertionPos(10, std::max(0, height - MissingDataNoticeRise));
  text.DrawTextLine(u"Game data missing: see standard error");
  text.End();
}

}  // namespace

void DrawSceneObjects(IDirect3DDevice9* device) {
  Scene* scene = CurrentScene;
  if (!scene) return;
  for (scene->cursor = scene->firstObject; scene->cursor; scene->cursor = scene->cursor->next) {
    GameObject* o = scene->cursor;
    if (ExitPromptShown && !SeenUnderExitPrompt(*o)) continue;
    if (!o->meshLoaded) continue;
    if (o->IsBall() && o->arrived) o->Wobble();
    if (o->shown) DrawModelTree(device, o->frameRoot, o);
    else if (o->IsBall()) DrawTwinOf(device, *scene, *o);
  }
}

void OnFrameRender(IDirect3DDevice9* device, double, float elapsed) {
  device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, ClearColour, 1.0f, 0);
  AdvanceGame(device);
  SetSceneLights(device);
  if (FAILED(device->BeginScene())) return;
  DrawSceneObjects(device);
  D3DXMATRIX identity;
  D3DXMatrixIdentity(&identity);
  device->SetTransform(D3DTS_WORLD, &identity);
  DrawStatusText(device);
  DrawMissingDataNotice();
  MenuDialog.OnRender(elapsed);
  device->EndScene();
}
