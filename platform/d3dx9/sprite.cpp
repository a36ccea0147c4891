// ID3DXSprite: textured quads in back-buffer pixels, batched per texture.
#include "platform/d3dx9/d3dx9core.h"
#include "platform/d3dx9/sprite_batch.h"

namespace {

class Sprite final : public ID3DXSprite {
 public:
  explicit Sprite(IDirect3DDevice9* device) : device_(device) { device_->AddRef(); }

  HRESULT GetDevice(IDirect3DDevice9** device) override {
    if (!device) return D3DERR_INVALIDCALL;
    device_->AddRef();
    *device = device_;
    return S_OK;
  }

  HRESULT Begin(DWORD flags) override {
    if (drawing_) return D3DERR_INVALIDCALL;
    drawing_ = true;
    states_.Save(device_);
    states_.Apply(device_, (flags & D3DXSPRITE_ALPHABLEND) != 0);
    return S_OK;
  }

  HRESULT Draw(IDirect3DTexture9* texture, const RECT* source, const D3DXVECTOR3* center,
               const D3DXVECTOR3* position, D3DCOLOR color) override {
    if (!drawing_ || !texture) return D3DERR_INVALIDCALL;
    if (texture != texture_) {
      HRESULT hr = Flush();
      if (FAILED(hr)) return hr;
      D3DSURFACE_DESC desc;
      hr = texture->GetLevelDesc(0, &desc);
      if (FAILED(hr) || desc.Width == 0 || desc.Height == 0) return D3DERR_INVALIDCALL;
      texture->AddRef();
      texture_ = texture;
      width_ = float(desc.Width);
      height_ = float(desc.Height);
    }
    RECT whole{0, 0, LONG(width_), LONG(height_)};
    const RECT& src = source ? *source : whole;
    float x = (position ? position->x : 0) - (center ? center->x : 0);
    float y = (position ? position->y : 0) - (center ? center->y : 0);
    batch_.Add({x, y, x + float(src.right - src.left), y + float(src.bottom - src.top),
                float(src.left) / width_, float(src.top) / height_, float(src.right) / width_,
                float(src.bottom) / height_, color});
    return S_OK;
  }

  HRESULT Flush() override {
    if (!drawing_) return D3DERR_INVALIDCALL;
    HRESULT hr = batch_.Flush(device_, texture_);
    ForgetTexture();
    return hr;
  }

  HRESULT End() override {
    if (!drawing_) return D3DERR_INVALIDCALL;
    HRESULT hr = Flush();
    states_.Restore(device_);
    drawing_ = false;
    return hr;
  }

  // The sprite keeps no device objects of its own; a batch open at the loss
  // is dropped.
  HRESULT OnLostDevice() override {
    if (drawing_) {
      batch_ = SpriteBatch();
      ForgetTexture();
      drawing_ = false;
    }
    return S_OK;
  }
  HRESULT OnResetDevice() override { return S_OK; }

 private:
  ~Sprite() override {
    ForgetTexture();
    device_->Release();
  }

  void ForgetTexture() {
    if (texture_) texture_->Release();
    texture_ = nullptr;
  }

  IDirect3DDevice9* device_;
  SpriteBatch batch_;
  SpriteStates states_;
  IDirect3DTexture9* texture_ = nullptr;  // the texture of the quads batched
  float width_ = 1, height_ = 1;
  bool drawing_ = false;
};

}  // namespace

HRESULT D3DXCreateSprite(IDirect3DDevice9* device, ID3DXSprite** sprite) {
  if (!device || !sprite) return D3DERR_INVALIDCALL;
  *sprite = new Sprite(device);
  return S_OK;
}
