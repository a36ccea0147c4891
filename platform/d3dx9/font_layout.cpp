#include "platform/d3dx9/font_layout.h"

#include "platform/d3dx9/d3dx9core.h"

void DecodeText(const char16_t* text, int count, std::vector<LaidGlyph>* glyphs) {
  if (!text) return;
  for (int i = 0; count < 0 ? text[i] != 0 : i < count; ++i) {
    char32_t unit = text[i];
    char32_t code = unit;
    if (unit >= 0xd800 && unit <= 0xdbff) {
      bool more = count < 0 ? text[i + 1] != 0 : i + 1 < count;
      char32_t low = more ? text[i + 1] : 0;
      if (low >= 0xdc00 && low <= 0xdfff) {
        code = 0x10000 + ((unit - 0xd800) << 10) + (low - 0xdc00);
        ++i;
      } else {
        code = 0xfffd;
      }
    } else if (unit >= 0xdc00 && unit <= 0xdfff) {
      code = 0xfffd;
    }
    glyphs->push_back({code});
  }
}

namespace {

bool EndsLine(const std::vector<LaidGlyph>& glyphs, size_t i) {
  char32_t c = glyphs[i].code;
  if (c == '\n') return true;
  return c == '\r' && !(i + 1 < glyphs.size() && glyphs[i + 1].code == '\n');
}

}  // namespace

TextExtent LayOutText(std::vector<LaidGlyph>& glyphs, int lineHeight, int tabWidth,
                      const RECT& rect, DWORD format) {
  TextExtent extent;
  if (glyphs.empty()) {
    extent.top = rect.top;
    return extent;
  }
  if (tabWidth <= 0) tabWidth = 1;

  // First pass: pens relative to each line's start, lines counted.
  struct Line {
    size_t first, end;
    int width;
  };
  std::vector<Line> lines;
  size_t first = 0;
  int pen = 0;
  for (size_t i = 0; i < glyphs.size(); ++i) {
    LaidGlyph& g = glyphs[i];
    g.x = pen;
    if (EndsLine(glyphs, i)) {
      lines.push_back({first, i + 1, pen});
      first = i + 1;
      pen = 0;
    } else if (g.code == '\t') {
      pen = (pen / tabWidth + 1) * tabWidth;
    } else if (g.code != '\r') {
      pen += g.advance;
    }
  }
  lines.push_back({first, glyphs.size(), pen});

  extent.height = int(lines.size()) * lineHeight;
  for (const Line& line : lines)
    if (line.width > extent.width) extent.width = line.width;
  extent.top = rect.top;
  if (format & DT_VCENTER)
    extent.top = rect.top + (rect.bottom - rect.top - extent.height) / 2;
  else if (format & DT_BOTTOM)
    extent.top = rect.bottom - extent.height;

  // Second pass: each line moved to its place.
  int top = extent.top;
  for (const Line& line : lines) {
    int left = rect.left;
    if (format & DT_CENTER)
      left = rect.left + (rect.right - rect.left - line.width) / 2;
    else if (format & DT_RIGHT)
      left = rect.right - line.width;
    for (size_t i = line.first; i < line.end; ++i) {
      glyphs[i].x += left;
      glyphs[i].y = top;
    }
    top += lineHeight;
  }
  return extent;
}
