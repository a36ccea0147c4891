// A font's glyph cache: every character drawn once is rasterised into a page
// of pixels that stays on the device as a texture, so drawing the same text
// again only looks its glyphs up.
#pragma once
#include <unordered_map>
#include <vector>

#include "platform/d3d9/d3d9.h"
#include "platform/d3dx9/font_raster.h"

struct AtlasGlyph {
  int page = -1;  // -1: no ink (a space, a control character)
  RECT source{};  // the glyph's pixels in its page
  int left = 0, top = 0, advance = 0;
};

class GlyphAtlas {
 public:
  static constexpr int kPageSize = 512;

  explicit GlyphAtlas(FontRaster* raster) : raster_(raster) {}
  GlyphAtlas(const GlyphAtlas&) = delete;
  GlyphAtlas& operator=(const GlyphAtlas&) = delete;
  ~GlyphAtlas() { ReleaseTextures(); }

  // The glyph of `code`, rasterised and packed on first use.
  const AtlasGlyph& Find(char32_t code);

  int PageCount() const { return int(pages_.size()); }
  // A page's pixels as the texture holds them (0xAARRGGBB: white, the alpha
  // carrying the coverage).
  const std::vector<u32>& PagePixels(int page) const { return pages_[page].pixels; }
  // Sends every page that changed to the device, making its texture first
  // when needed.
  HRESULT Upload(IDirect3DDevice9* device);
  IDirect3DTexture9* PageTexture(int page) const { return pages_[page].texture; }
  // Lets go of the textures; the pixels stay for the next upload.
  void ReleaseTextures();

 private:
  struct Page {
    std::vector<u32> pixels;
    IDirect3DTexture9* texture = nullptr;
    bool dirty = true;
  };
  bool Pack(int width, int height, int* page, int* x, int* y);

  FontRaster* raster_;
  std::unordered_map<char32_t, AtlasGlyph> glyphs_;
  std::vector<Page> pages_;
  int shelfX_ = 0, shelfY_ = 0, shelfHeight_ = 0;  // where the last page is being filled
  GlyphBitmap scratch_;
};
