// The framework's device callbacks: choosing the device, the device's life
// (created, reset, lost, destroyed) and the per-frame camera and model
// matrices.
#pragma once
#include "platform/dxut/dxut.h"

bool OnIsDeviceAcceptable(D3DCAPS9* caps, D3DFORMAT adapterFormat, D3DFORMAT backBufferFormat,
                          bool windowed);
void OnModifyDeviceSettings(DXUTDeviceSettings* settings, const D3DCAPS9* caps);
HRESULT OnDeviceCreated(IDirect3DDevice9* device, const D3DSURFACE_DESC* backBuffer);
HRESULT OnDeviceReset(IDirect3DDevice9* device, const D3DSURFACE_DESC* backBuffer);
void OnDeviceLost();
void OnDeviceDestroyed();
void OnFrameMove(IDirect3DDevice9* device, double time, float elapsed);
