// Placing a text's characters in lines: line breaks, tab stops and the
// alignment of each line and of the whole block in a rectangle.
#pragma once
#include <vector>

#include "platform/d3d9/d3d9.h"

struct LaidGlyph {
  char32_t code = 0;
  int advance = 0;   // filled in by the caller
  int x = 0, y = 0;  // set by LayOutText: the pen, and the top of the glyph's line
};

struct TextExtent {
  int width = 0;   // the widest line
  int height = 0;  // lines × line height
  int top = 0;     // where the first line starts
};

// Characters of UTF-16 `text` up to `count` (-1: to the terminator), pairs
// joined; a lone half of a pair becomes U+FFFD. Appends to `glyphs`.
void DecodeText(const char16_t* text, int count, std::vector<LaidGlyph>* glyphs);

// Places every glyph for DT_LEFT/DT_CENTER/DT_RIGHT and DT_TOP/DT_VCENTER/
// DT_BOTTOM in `rect`. '\n', "\r\n" and a lone '\r' end a line; '\t' moves
// the pen to the next multiple of `tabWidth` from the line's start. Breaks and
// tabs keep their place in the list with no advance of their own.
TextExtent LayOutText(std::vector<LaidGlyph>& glyphs, int lineHeight, int tabWidth,
                      const RECT& rect, DWORD format);
