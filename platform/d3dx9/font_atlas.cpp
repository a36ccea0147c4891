#include "platform/d3dx9/font_atlas.h"

#include <cstring>

namespace {

// Glyphs sit this far apart, so filtering at a glyph's edge never reaches
// into its neighbour.
constexpr int kGap = 1;

}  // namespace

const AtlasGlyph& GlyphAtlas::Find(char32_t code) {
  auto found = glyphs_.find(code);
  if (found != glyphs_.end()) return found->second;

  AtlasGlyph glyph;
  bool control = code < 0x20;
  if (!control && raster_->Render(code, &scratch_)) {
    glyph.advance = scratch_.advance;
    glyph.left = scratch_.left;
    glyph.top = scratch_.top;
    int x, y;
    if (scratch_.width > 0 && scratch_.height > 0 &&
        Pack(scratch_.width, scratch_.height, &glyph.page, &x, &y)) {
      glyph.source = {x, y, x + scratch_.width, y + scratch_.height};
      Page& page = pages_[glyph.page];
      for (int row = 0; row < scratch_.height; ++row) {
        const u8* from = &scratch_.coverage[size_t(row) * scratch_.width];
        u32* to = &page.pixels[size_t(y + row) * kPageSize + x];
        for (int column = 0; column < scratch_.width; ++column)
          to[column] = (u32(from[column]) << 24) | 0x00ffffffu;
      }
      page.dirty = true;
    }
  }
  return glyphs_.emplace(code, glyph).first->second;
}

bool GlyphAtlas::Pack(int width, int height, int* page, int* x, int* y) {
  if (width + kGap > kPageSize || height + kGap > kPageSize) return false;
  if (!pages_.empty() && shelfX_ + width + kGap > kPageSize) {
    shelfY_ += shelfHeight_;
    shelfX_ = shelfHeight_ = 0;
  }
  if (pages_.empty() || shelfY_ + height + kGap > kPageSize) {
    pages_.push_back({std::vector<u32>(size_t(kPageSize) * kPageSize, 0x00ffffffu)});
    shelfX_ = shelfY_ = shelfHeight_ = 0;
  }
  *page = int(pages_.size()) - 1;
  *x = shelfX_ + kGap;
  *y = shelfY_ + kGap;
  shelfX_ += width + kGap;
  if (height + kGap > shelfHeight_) shelfHeight_ = height + kGap;
  return true;
}

HRESULT GlyphAtlas::Upload(IDirect3DDevice9* device) {
  for (Page& page : pages_) {
    if (!page.dirty) continue;
    if (!page.texture) {
      HRESULT hr = device->CreateTexture(kPageSize, kPageSize, 1, 0, D3DFMT_A8R8G8B8,
                                         D3DPOOL_MANAGED, &page.texture, nullptr);
      if (FAILED(hr)) {
        page.texture = nullptr;
        return hr;
      }
    }
    D3DLOCKED_RECT locked;
    HRESULT hr = page.texture->LockRect(0, &locked, nullptr, 0);
    if (FAILED(hr)) return hr;
    for (int row = 0; row < kPageSize; ++row)
      std::memcpy(static_cast<char*>(locked.pBits) + ptrdiff_t(row) * locked.Pitch,
                  &page.pixels[size_t(row) * kPageSize], kPageSize * sizeof(u32));
    page.texture->UnlockRect(0);
    page.dirty = false;
  }
  return S_OK;
}

void GlyphAtlas::ReleaseTextures() {
  for (Page& page : pages_) {
    if (page.texture) page.texture->Release();
    page.texture = nullptr;
    page.dirty = true;
  }
}
