#include "platform/d3dx9/sprite_atlas.h"

#include <cstring>

namespace {

// Pictures sit this far apart, so filtering at one's edge never reaches into
// its neighbour.
constexpr int kGap = 1;
constexpr u32 kClear = 0x00ffffffu;

}  // namespace

bool SpriteAtlas::Reserve(int width, int height, int* page, RECT* where) {
  if (width <= 0 || height <= 0 || width + kGap > pageSize_ || height + kGap > pageSize_)
    return false;
  if (!pages_.empty() && shelfX_ + width + kGap > pageSize_) {
    shelfY_ += shelfHeight_;
    shelfX_ = shelfHeight_ = 0;
  }
  if (pages_.empty() || shelfY_ + height + kGap > pageSize_) {
    pages_.push_back({std::vector<u32>(size_t(pageSize_) * pageSize_, kClear)});
    shelfX_ = shelfY_ = shelfHeight_ = 0;
  }
  *page = int(pages_.size()) - 1;
  LONG x = shelfX_ + kGap, y = shelfY_ + kGap;
  *where = {x, y, x + width, y + height};
  shelfX_ += width + kGap;
  if (height + kGap > shelfHeight_) shelfHeight_ = height + kGap;
  return true;
}

u32* SpriteAtlas::Row(int page, int y) {
  pages_[page].dirty = true;
  return &pages_[page].pixels[size_t(y) * pageSize_];
}

HRESULT SpriteAtlas::Upload(IDirect3DDevice9* device) {
  for (Page& page : pages_) {
    if (!page.dirty) continue;
    if (!page.texture) {
      HRESULT hr = device->CreateTexture(pageSize_, pageSize_, 1, 0, D3DFMT_A8R8G8B8,
                                         D3DPOOL_MANAGED, &page.texture, nullptr);
      if (FAILED(hr)) {
        page.texture = nullptr;
        return hr;
      }
    }
    D3DLOCKED_RECT locked;
    HRESULT hr = page.texture->LockRect(0, &locked, nullptr, 0);
    if (FAILED(hr)) return hr;
    for (int row = 0; row < pageSize_; ++row)
      std::memcpy(static_cast<char*>(locked.pBits) + ptrdiff_t(row) * locked.Pitch,
                  &page.pixels[size_t(row) * pageSize_], size_t(pageSize_) * sizeof(u32));
    page.texture->UnlockRect(0);
    page.dirty = false;
  }
  return S_OK;
}

void SpriteAtlas::ReleaseTextures() {
  for (Page& page : pages_) {
    if (page.texture) page.texture->Release();
    page.texture = nullptr;
    page.dirty = true;
  }
}
