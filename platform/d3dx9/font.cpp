// ID3DXFont: FreeType faces found through fontconfig, glyphs cached in
// textures, text laid out in lines and drawn through a sprite.
#include <algorithm>
#include <memory>

#include "platform/d3dx9/d3dx9core.h"
#include "platform/d3dx9/font_atlas.h"
#include "platform/d3dx9/font_face.h"
#include "platform/d3dx9/font_layout.h"
#include "platform/d3dx9/font_raster.h"
#include "platform/win32/wide_text.h"

namespace {

constexpr int kTabStopWidths = 8;  // average characters between tab stops

class Font final : public ID3DXFont {
 public:
  Font(IDirect3DDevice9* device, std::unique_ptr<FontRaster> raster)
      : device_(device), raster_(std::move(raster)), atlas_(raster_.get()) {
    device_->AddRef();
  }

  HRESULT GetDevice(IDirect3DDevice9** device) override {
    if (!device) return D3DERR_INVALIDCALL;
    device_->AddRef();
    *device = device_;
    return S_OK;
  }

  INT DrawTextW(ID3DXSprite* sprite, LPCWSTR text, INT count, RECT* rect, DWORD format,
                D3DCOLOR color) override {
    if (!text || !rect) return 0;
    glyphs_.clear();
    DecodeText(text, count, &glyphs_);
    found_.clear();
    for (LaidGlyph& g : glyphs_) {
      found_.push_back(&atlas_.Find(g.code));
      g.advance = found_.back()->advance;
    }
    TextExtent extent = LayOutText(glyphs_, raster_->LineHeight(),
                                   kTabStopWidths * raster_->AverageWidth(), *rect, format);
    if (format & DT_CALCRECT) {
      rect->right = rect->left + extent.width;
      rect->bottom = rect->top + extent.height;
      return extent.height;
    }
    INT result = (format & (DT_VCENTER | DT_BOTTOM)) ? extent.top + extent.height - rect->top
                                                     : extent.height;
    if (FAILED(atlas_.Pages().Upload(device_))) return 0;

    bool ownBatch = !sprite;
    if (ownBatch) {
      if (!sprite_ && FAILED(D3DXCreateSprite(device_, &sprite_))) return 0;
      sprite = sprite_;
      if (FAILED(sprite->Begin(D3DXSPRITE_ALPHABLEND))) return 0;
    }
    bool clip = !(format & DT_NOCLIP);
    for (size_t i = 0; i < glyphs_.size(); ++i) {
      const LaidGlyph& laid = glyphs_[i];
      const AtlasGlyph& g = *found_[i];
      if (g.page < 0) continue;
      RECT source = g.source;
      LONG x = laid.x + g.left;
      LONG y = laid.y + raster_->Ascent() - g.top;
      if (clip && !Clip(*rect, &source, &x, &y)) continue;
      D3DXVECTOR3 position(float(x), float(y), 0);
      sprite->Draw(atlas_.Pages().PageTexture(g.page), &source, nullptr, &position, color);
    }
    if (ownBatch) sprite->End();
    return result;
  }

  HRESULT OnLostDevice() override {
    atlas_.Pages().ReleaseTextures();
    if (sprite_) sprite_->Release();
    sprite_ = nullptr;
    return S_OK;
  }
  HRESULT OnResetDevice() override { return S_OK; }

 private:
  ~Font() override {
    OnLostDevice();
    device_->Release();
  }

  // Cuts a glyph at `at` with pixels `source` down to `bounds`; false when
  // nothing is left.
  static bool Clip(const RECT& bounds, RECT* source, LONG* x, LONG* y) {
    LONG w = source->right - source->left, h = source->bottom - source->top;
    LONG left = std::max(*x, bounds.left), top = std::max(*y, bounds.top);
    LONG right = std::min(*x + w, bounds.right), bottom = std::min(*y + h, bounds.bottom);
    if (left >= right || top >= bottom) return false;
    source->left += left - *x;
    source->top += top - *y;
    source->right = source->left + (right - left);
    source->bottom = source->top + (bottom - top);
    *x = left;
    *y = top;
    return true;
  }

  IDirect3DDevice9* device_;
  std::unique_ptr<FontRaster> raster_;
  GlyphAtlas atlas_;
  ID3DXSprite* sprite_ = nullptr;  // for calls that bring no sprite
  // Kept between calls so that drawing allocates nothing once warm.
  std::vector<LaidGlyph> glyphs_;
  std::vector<const AtlasGlyph*> found_;
};

}  // namespace

HRESULT D3DXCreateFontW(IDirect3DDevice9* device, INT height, UINT /*width*/, UINT weight,
                        UINT /*mipLevels*/, BOOL italic, DWORD /*charSet*/,
                        DWORD /*outputPrecision*/, DWORD /*quality*/, DWORD /*pitchAndFamily*/,
                        LPCWSTR faceName, ID3DXFont** font) {
  if (!device || !font || height == 0) return D3DERR_INVALIDCALL;
  *font = nullptr;
  FontFile file;
  if (!FindFontFile(faceName ? WideToUtf8(faceName) : "", int(weight), italic != 0, &file))
    return D3DERR_NOTAVAILABLE;
  auto raster = std::make_unique<FontRaster>();
  if (!raster->Open(file.path, file.index, height)) return D3DERR_NOTAVAILABLE;
  *font = new Font(device, std::move(raster));
  return S_OK;
}
