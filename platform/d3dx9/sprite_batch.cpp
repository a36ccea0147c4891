#include "platform/d3dx9/sprite_batch.h"

namespace {

// The device samples pixel centres at whole coordinates, so a quad edge half
// a pixel before them covers exactly the pixels it names and maps texels
// onto pixels one to one.
constexpr float kPixelOffset = -0.5f;

constexpr D3DRENDERSTATETYPE kStates[] = {
    D3DRS_ZENABLE,   D3DRS_ZWRITEENABLE,     D3DRS_LIGHTING, D3DRS_CULLMODE,  D3DRS_FILLMODE,
    D3DRS_FOGENABLE, D3DRS_ALPHABLENDENABLE, D3DRS_SRCBLEND, D3DRS_DESTBLEND,
};

}  // namespace

void SpriteBatch::Add(const SpriteQuad& q) {
  float l = q.left + kPixelOffset, r = q.right + kPixelOffset;
  float t = q.top + kPixelOffset, b = q.bottom + kPixelOffset;
  SpriteVertex tl{l, t, 0, 1, q.color, q.u0, q.v0};
  SpriteVertex tr{r, t, 0, 1, q.color, q.u1, q.v0};
  SpriteVertex bl{l, b, 0, 1, q.color, q.u0, q.v1};
  SpriteVertex br{r, b, 0, 1, q.color, q.u1, q.v1};
  vertices_.insert(vertices_.end(), {tl, tr, bl, tr, br, bl});
}

HRESULT SpriteBatch::Flush(IDirect3DDevice9* device, IDirect3DTexture9* texture) {
  if (vertices_.empty()) return S_OK;
  device->SetTexture(0, texture);
  device->SetFVF(SPRITE_VERTEX_FVF);
  HRESULT hr = device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, UINT(vertices_.size() / 3),
                                       vertices_.data(), sizeof(SpriteVertex));
  vertices_.clear();
  return hr;
}

void SpriteStates::Save(IDirect3DDevice9* device) {
  static_assert(sizeof(kStates) / sizeof(kStates[0]) == kCount);
  for (int i = 0; i < kCount; ++i) device->GetRenderState(kStates[i], &saved_[i]);
}

void SpriteStates::Apply(IDirect3DDevice9* device, bool alphaBlend) {
  device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
  device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
  device->SetRenderState(D3DRS_LIGHTING, FALSE);
  device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  device->SetRenderState(D3DRS_FILLMODE, D3DFILL_SOLID);
  device->SetRenderState(D3DRS_FOGENABLE, FALSE);
  device->SetRenderState(D3DRS_ALPHABLENDENABLE, alphaBlend ? TRUE : FALSE);
  device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
  device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
}

void SpriteStates::Restore(IDirect3DDevice9* device) {
  device->SetTexture(0, nullptr);
  for (int i = 0; i < kCount; ++i) device->SetRenderState(kStates[i], saved_[i]);
}
