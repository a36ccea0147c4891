// One face at one pixel size, rasterised by FreeType into 8-bit coverage.
#pragma once
#include <string>
#include <vector>

#include "platform/types.h"

struct GlyphBitmap {
  int width = 0, height = 0;
  int left = 0;              // from the pen to the bitmap's left edge
  int top = 0;               // from the baseline up to the bitmap's top edge
  int advance = 0;           // whole pixels to the next pen position
  std::vector<u8> coverage;  // width × height, row by row
};

class FontRaster {
 public:
  FontRaster() = default;
  FontRaster(const FontRaster&) = delete;
  FontRaster& operator=(const FontRaster&) = delete;
  ~FontRaster();

  // `height` above 0: the cell height in pixels (ascent plus descent); below
  // 0: the em height.
  bool Open(const std::string& path, int faceIndex, int height);

  int Ascent() const { return ascent_; }
  int LineHeight() const { return lineHeight_; }
  // The face's average character width; tab stops are 8 of them apart.
  int AverageWidth() const { return averageWidth_; }
  // A character the face lacks comes out as its missing-glyph box.
  bool Render(char32_t code, GlyphBitmap* glyph);

 private:
  struct FT_LibraryRec_* library_ = nullptr;
  struct FT_FaceRec_* face_ = nullptr;
  int ascent_ = 0, lineHeight_ = 0, averageWidth_ = 0;
};
