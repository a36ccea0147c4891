#include "platform/d3dx9/font_layout.h"

#include <gtest/gtest.h>

#include "platform/d3dx9/d3dx9core.h"

namespace {

// Every character 10 pixels wide, lines 20 high, tab stops every 80.
std::vector<LaidGlyph> Lay(const char16_t* text, RECT rect, DWORD format, TextExtent* extent) {
  std::vector<LaidGlyph> glyphs;
  DecodeText(text, -1, &glyphs);
  for (LaidGlyph& g : glyphs) g.advance = 10;
  *extent = LayOutText(glyphs, 20, 80, rect, format);
  return glyphs;
}

TEST(TextDecoding, JoinsSurrogatePairsAndReplacesLoneHalves) {
  std::vector<LaidGlyph> glyphs;
  const char16_t text[] = {u'A', 0xd83d, 0xde00, 0xdc00, u'B', 0xd800, 0};
  DecodeText(text, -1, &glyphs);
  std::vector<char32_t> codes;
  for (const LaidGlyph& g : glyphs) codes.push_back(g.code);
  EXPECT_EQ(codes, (std::vector<char32_t>{U'A', U'\U0001F600', 0xfffd, U'B', 0xfffd}));
  glyphs.clear();
  DecodeText(text, 2, &glyphs);  // a pair cut by the count is a lone half
  ASSERT_EQ(glyphs.size(), 2u);
  EXPECT_EQ(glyphs[1].code, 0xfffdu);
}

TEST(TextLayout, BreaksTabsAndTheExtent) {
  TextExtent extent;
  auto g = Lay(u"ab\ncd\r\nef\rg", {100, 50, 100, 50}, DT_NOCLIP, &extent);
  EXPECT_EQ(g[3].x, 100);  // c
  EXPECT_EQ(g[3].y, 70);
  EXPECT_EQ(g[7].y, 90);   // e after "\r\n": one break, not two
  EXPECT_EQ(g[10].y, 110);  // a lone '\r' breaks too
  EXPECT_EQ(extent.height, 80);
  EXPECT_EQ(extent.width, 20);
  Lay(u"Score: 1\nHigh: 2\n", {0, 0, 0, 0}, DT_NOCLIP, &extent);
  EXPECT_EQ(extent.height, 60);  // a trailing break adds an empty line

  g = Lay(u"ab\tc\t\td\nwxyzwxyz\te", {5, 0, 5, 0}, DT_NOCLIP, &extent);
  EXPECT_EQ(g[3].x, 5 + 80);    // c at the first stop
  EXPECT_EQ(g[6].x, 5 + 240);   // two tabs: from 90 to 160, then to 240
  EXPECT_EQ(g[17].x, 5 + 160);  // a line of exactly 80 goes to the next stop, 160
  EXPECT_EQ(extent.width, 250);
}

TEST(TextLayout, CentresEachLineAndTheBlockInTheRectangle) {
  TextExtent extent;
  RECT rect{0, 0, 200, 100};
  auto g = Lay(u"abcd\nab", rect, DT_CENTER | DT_VCENTER, &extent);
  EXPECT_EQ(g[0].x, 80);  // 40 wide in 200
  EXPECT_EQ(g[5].x, 90);  // 20 wide
  EXPECT_EQ(g[0].y, 30);  // 40 high in 100
}

}  // namespace
