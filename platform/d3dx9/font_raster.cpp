#include "platform/d3dx9/font_raster.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>

namespace {

int Pixels(FT_Pos value26_6) { return int((value26_6 + 32) >> 6); }

}  // namespace

FontRaster::~FontRaster() {
  if (face_) FT_Done_Face(face_);
  if (library_) FT_Done_FreeType(library_);
}

bool FontRaster::Open(const std::string& path, int faceIndex, int height) {
  if (height == 0 || face_ || FT_Init_FreeType(&library_) != 0) return false;
  if (FT_New_Face(library_, path.c_str(), faceIndex, &face_) != 0) {
    face_ = nullptr;
    return false;
  }
  FT_Size_RequestRec request{};
  request.type = height > 0 ? FT_SIZE_REQUEST_TYPE_REAL_DIM : FT_SIZE_REQUEST_TYPE_NOMINAL;
  request.height = FT_Long(height > 0 ? height : -height) * 64;
  if (FT_Request_Size(face_, &request) != 0) return false;

  const FT_Size_Metrics& m = face_->size->metrics;
  ascent_ = Pixels(m.ascender);
  lineHeight_ = ascent_ - Pixels(m.descender);
  if (lineHeight_ <= 0) lineHeight_ = height > 0 ? height : -height;

  auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
  if (os2 && os2->xAvgCharWidth > 0) {
    averageWidth_ = Pixels(FT_MulFix(os2->xAvgCharWidth, m.x_scale));
  } else if (FT_Load_Char(face_, 'x', FT_LOAD_DEFAULT) == 0) {
    averageWidth_ = Pixels(face_->glyph->advance.x);
  }
  if (averageWidth_ <= 0) averageWidth_ = lineHeight_ / 2 > 0 ? lineHeight_ / 2 : 1;
  return true;
}

bool FontRaster::Render(char32_t code, GlyphBitmap* glyph) {
  if (!face_ || FT_Load_Char(face_, FT_ULong(code), FT_LOAD_RENDER) != 0) return false;
  FT_GlyphSlot slot = face_->glyph;
  const FT_Bitmap& bitmap = slot->bitmap;
  glyph->advance = Pixels(slot->advance.x);
  glyph->left = slot->bitmap_left;
  glyph->top = slot->bitmap_top;
  glyph->width = int(bitmap.width);
  glyph->height = int(bitmap.rows);
  // We ask for scalable faces, which render as 8-bit coverage; anything else
  // keeps its advance and draws nothing.
  if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) glyph->width = glyph->height = 0;
  glyph->coverage.assign(size_t(glyph->width) * size_t(glyph->height), 0);
  for (int y = 0; y < glyph->height; ++y) {
    const unsigned char* row = bitmap.buffer + y * bitmap.pitch;
    std::copy(row, row + glyph->width, glyph->coverage.begin() + ptrdiff_t(y) * glyph->width);
  }
  return true;
}
