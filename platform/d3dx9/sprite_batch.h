// The quads that sprites, fonts and the framework's dialogs draw: vertices
// already in back-buffer pixels, gathered in memory and handed to the device
// in one DrawPrimitiveUP per texture.
#pragma once
#include <vector>

#include "platform/d3d9/d3d9.h"

struct SpriteVertex {
  float x, y, z, rhw;
  D3DCOLOR color;
  float u, v;
};

#define SPRITE_VERTEX_FVF (D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1)

// Corners of one quad in pixels and texture coordinates, and the colour that
// multiplies its texels.
struct SpriteQuad {
  float left, top, right, bottom;
  float u0, v0, u1, v1;
  D3DCOLOR color;
};

class SpriteBatch {
 public:
  void Add(const SpriteQuad& quad);
  // Draws every quad with `texture`, then empties the batch.
  HRESULT Flush(IDirect3DDevice9* device, IDirect3DTexture9* texture);

 private:
  std::vector<SpriteVertex> vertices_;
};

// The render states that drawing over the scene needs, kept from the caller
// and given back afterwards.
class SpriteStates {
 public:
  void Save(IDirect3DDevice9* device);
  void Apply(IDirect3DDevice9* device, bool alphaBlend);
  // Gives back what the last Save read; the texture stage is left empty.
  void Restore(IDirect3DDevice9* device);

 private:
  static constexpr int kCount = 9;
  DWORD saved_[kCount] = {};
};
