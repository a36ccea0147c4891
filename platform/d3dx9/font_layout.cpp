#include "platform/d3dx9/font_layout.h"

#include "platform/d3dx9/d3dx9core.h"
#include "platform/win32/wide_text.h"

void DecodeText(const char16_t* text, int count, std::vector<LaidGlyph>* glyphs) {
  if (!text) return;
  size_t length = count < 0 ? WideLength(text) : size_t(count);
  for (size_t i = 0; i < length;) glyphs->push_back({NextCodePoint(text, length, &i)});
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
  extent.top = rect.top;
  if (glyphs.empty()) return extent;
  if (tabWidth <= 0) tabWidth = 1;

  // One pass places each line across as soon as its width is known; y holds
  // the line's number until the block's height places it down. No scratch
  // list, so drawing allocates nothing.
  int lines = 0;
  size_t first = 0;
  int pen = 0;
  auto endLine = [&](size_t end) {
    int left = rect.left;
    if (format & DT_CENTER)
      left = rect.left + (rect.right - rect.left - pen) / 2;
    else if (format & DT_RIGHT)
      left = rect.right - pen;
    for (size_t i = first; i < end; ++i) {
      glyphs[i].x += left;
      glyphs[i].y = lines;
    }
    if (pen > extent.width) extent.width = pen;
    ++lines;
    first = end;
    pen = 0;
  };
  for (size_t i = 0; i < glyphs.size(); ++i) {
    LaidGlyph& g = glyphs[i];
    g.x = pen;
    if (EndsLine(glyphs, i))
      endLine(i + 1);
    else if (g.code == '\t')
      pen = (pen / tabWidth + 1) * tabWidth;
    else if (g.code != '\r')
      pen += g.advance;
  }
  endLine(glyphs.size());

  extent.height = lines * lineHeight;
  if (format & DT_VCENTER)
    extent.top = rect.top + (rect.bottom - rect.top - extent.height) / 2;
  else if (format & DT_BOTTOM)
    extent.top = rect.bottom - extent.height;
  for (LaidGlyph& g : glyphs) g.y = extent.top + g.y * lineHeight;
  return extent;
}
