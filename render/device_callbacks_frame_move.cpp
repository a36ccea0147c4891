#include "render/device_callbacks.h"
#include "render/device_resources.h"
#include "render/model_loading.h"
#include "world/scene.h"

void OnFrameMove(IDirect3DDevice9* device, double, float elapsed) {
  Scene* scene = CurrentScene;
  if (!scene) return;
  // Turned a quarter about y, then seen from the camera, looking at the origin.
  D3DXMATRIX turn, look;
  const D3DXVECTOR3 eye{scene->cameraPosition.x, scene->cameraPosition.y,
                        scene->cameraPosition.z};
  const D3DXVECTOR3 at{0, 0, 0}, up{0, 1, 0};
  D3DXMatrixRotationYawPitchRoll(&turn, -D3DX_PI / 2, 0, 0);
  D3DXMatrixLookAtLH(&look, &eye, &at, &up);
  D3DXMatrixMultiply(&ViewMatrix, &turn, &look);
  device->SetTransform(D3DTS_VIEW, &ViewMatrix);

  for (scene->cursor = scene->firstObject; scene->cursor; scene->cursor = scene->cursor->next) {
    GameObject* o = scene->cursor;
    if (!o->meshLoaded) continue;
    ComputeFrameMatrices(o->frameRoot, nullptr);
    if (o->animationController) o->animationController->AdvanceTime(double(elapsed), nullptr);
  }
}
