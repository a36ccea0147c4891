#include "platform/d3dx9/font_atlas.h"

const AtlasGlyph& GlyphAtlas::Find(char32_t code) {
  auto found = glyphs_.find(code);
  if (found != glyphs_.end()) return found->second;

  AtlasGlyph glyph;
  bool control = code < 0x20;
  if (!control && raster_->Render(code, &scratch_)) {
    glyph.advance = scratch_.advance;
    glyph.left = scratch_.left;
    glyph.top = scratch_.top;
    if (pages_.Reserve(scratch_.width, scratch_.height, &glyph.page, &glyph.source)) {
      for (int row = 0; row < scratch_.height; ++row) {
        const u8* from = &scratch_.coverage[size_t(row) * scratch_.width];
        u32* to = pages_.Row(glyph.page, glyph.source.top + row) + glyph.source.left;
        for (int column = 0; column < scratch_.width; ++column)
          to[column] = (u32(from[column]) << 24) | 0x00ffffffu;
      }
    } else {
      glyph.page = -1;
    }
  }
  return glyphs_.emplace(code, glyph).first->second;
}
