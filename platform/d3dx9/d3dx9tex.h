// Textures from image files.
#pragma once
#include "platform/d3d9/d3d9.h"

// Loads a PNG or JPEG file, recognised by its content, into a new A8R8G8B8
// texture of `device`. Fails cleanly on a missing, unreadable or damaged file.
HRESULT D3DXCreateTextureFromFileW(IDirect3DDevice9* device, LPCWSTR file,
                                   IDirect3DTexture9** texture);
