// A font's glyph cache: every character drawn once is rasterised into an
// atlas page that stays on the device, so drawing the same text again only
// looks its glyphs up.
#pragma once
#include <unordered_map>

#include "platform/d3dx9/font_raster.h"
#include "platform/d3dx9/sprite_atlas.h"

struct AtlasGlyph {
  int page = -1;  // -1: no ink (a space, a control character)
  RECT source{};  // the glyph's pixels in its page
  int left = 0, top = 0, advance = 0;
};

class GlyphAtlas {
 public:
  static constexpr int kPageSize = 512;

  explicit GlyphAtlas(FontRaster* raster) : raster_(raster), pages_(kPageSize) {}

  // The glyph of `code`, rasterised and packed on first use.
  const AtlasGlyph& Find(char32_t code);
  // The pages: white texels whose alpha carries the coverage.
  SpriteAtlas& Pages() { return pages_; }

 private:
  FontRaster* raster_;
  SpriteAtlas pages_;
  std::unordered_map<char32_t, AtlasGlyph> glyphs_;
  GlyphBitmap scratch_;
};
