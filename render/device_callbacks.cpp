#include "render/device_callbacks.h"

#include "game/flow_commands.h"
#include "game/menu_buttons.h"
#include "render/device_resources.h"
#include "world/level_clock.h"
#include "world/scene.h"

namespace {

constexpr DWORD VertexShader11 = 0xFFFE0101;

}  // namespace

bool OnIsDeviceAcceptable(D3DCAPS9* caps, D3DFORMAT adapterFormat, D3DFORMAT backBufferFormat,
                          bool) {
  IDirect3D9* d3d = DXUTGetD3DObject();
  return d3d && SUCCEEDED(d3d->CheckDeviceFormat(caps->AdapterOrdinal, caps->DeviceType,
                                                 adapterFormat,
                                                 D3DUSAGE_QUERY_POSTPIXELSHADER_BLENDING,
                                                 D3DRTYPE_TEXTURE, backBufferFormat));
}

void OnModifyDeviceSettings(DXUTDeviceSettings* settings, const D3DCAPS9* caps) {
  const bool hardware = (caps->DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT) != 0 &&
                        caps->VertexShaderVersion >= VertexShader11 &&
                        caps->MaxVertexBlendMatrices >= 2;
  settings->BehaviorFlags =
      hardware ? D3DCREATE_MIXED_VERTEXPROCESSING : D3DCREATE_SOFTWARE_VERTEXPROCESSING;
}

HRESULT OnDeviceCreated(IDirect3DDevice9* device, const D3DSURFACE_DESC*) {
  const HRESULT hr = D3DXCreateFontW(device, 30, 0, 400, 0, FALSE, DEFAULT_CHARSET, 0, 0, 0,
                                     u"Elephant", &StatusFont);
  if (FAILED(hr)) return hr;
  LoadFirstLevel(device);
  return S_OK;
}

HRESULT OnDeviceReset(IDirect3DDevice9* device, const D3DSURFACE_DESC* backBuffer) {
  if (StatusFont) {
    const HRESULT hr = StatusFont->OnResetDevice();
    if (FAILED(hr)) return hr;
  }
  const HRESULT hr = D3DXCreateSprite(device, &StatusSprite);
  if (FAILED(hr)) return hr;

  device->SetRenderState(D3DRS_LIGHTING, TRUE);
  device->SetRenderState(D3DRS_DITHERENABLE, TRUE);
  device->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
  device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
  device->SetRenderState(D3DRS_AMBIENT, 0x33333333);
  device->SetRenderState(D3DRS_NORMALIZENORMALS, TRUE);
  device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
  device->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);

  const f32 aspect = f32(backBuffer->Width) / f32(backBuffer->Height);
  D3DXMatrixPerspectiveFovLH(&ProjectionMatrix, D3DX_PI / 4, aspect, ViewScale * 0.015625f,
                             ViewScale * 200.0f);
  device->SetTransform(D3DTS_PROJECTION, &ProjectionMatrix);
  PlaceMenuDialog(backBuffer->Width);
  return S_OK;
}

void OnDeviceLost() {
  if (StatusFont) StatusFont->OnLostDevice();
  if (StatusSprite) StatusSprite->Release();
  StatusSprite = nullptr;
}

void OnDeviceDestroyed() {
  if (StatusFont) StatusFont->Release();
  StatusFont = nullptr;
  delete CurrentScene;
  CurrentScene = nullptr;
  if (CurrentLevelClock) CurrentLevelClock->DestroyObjects();
  delete CurrentLevelClock;
  CurrentLevelClock = nullptr;
  FreeSavedButtonStates();
}
