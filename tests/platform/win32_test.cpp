#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <string>

#include "platform/win32/wide_text.h"

TEST(WideText, RoundTripsEveryPlane) {
  const char* text = "Tumblox \xC3\xA9\xE2\x82\xAC\xF0\x9F\x8E\xB2";  // é € 🎲
  std::u16string wide = Utf8ToWide(text, std::strlen(text));
  EXPECT_EQ(wide, u"Tumblox \u00e9\u20ac\U0001F3B2");
  EXPECT_EQ(WideToUtf8(wide.c_str()), text);
}

TEST(WideText, BadBytesBecomeReplacementCharacters) {
  EXPECT_EQ(Utf8ToWide("a\xFF" "b", 3), u"a\uFFFDb");
  EXPECT_EQ(Utf8ToWide("\xE2\x82", 2), u"\uFFFD\uFFFD");  // cut short
  EXPECT_EQ(Utf8ToWide("\xC0\xAF", 2), u"\uFFFD\uFFFD");  // overlong
  const char16_t lone[] = {u'x', 0xD800, 0};
  EXPECT_EQ(WideToUtf8(lone), "x\xEF\xBF\xBD");
}

TEST(MultiByteToWideChar, MeasuresThenConvertsWithTerminator) {
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "ball.png", -1, nullptr, 0), 9);
  WCHAR out[9];
  ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, "ball.png", -1, out, 9), 9);
  EXPECT_EQ(std::u16string(out), u"ball.png");
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "ball.png", -1, out, 8), 0);  // does not fit
}

TEST(SetCurrentDirectoryW, EntersAndComesBack) {
  char start[PATH_MAX];
  ASSERT_NE(getcwd(start, sizeof start), nullptr);
  ASSERT_TRUE(SetCurrentDirectoryW(u"tests"));
  char inside[PATH_MAX];
  ASSERT_NE(getcwd(inside, sizeof inside), nullptr);
  EXPECT_EQ(std::string(inside), std::string(start) + "/tests");
  WCHAR wide[PATH_MAX];
  EXPECT_EQ(GetCurrentDirectoryW(3, wide), std::strlen(inside) + 1);  // too small: the size needed
  ASSERT_EQ(GetCurrentDirectoryW(PATH_MAX, wide), std::strlen(inside));
  EXPECT_EQ(WideToUtf8(wide), inside);
  EXPECT_TRUE(SetCurrentDirectoryW(u".."));
  EXPECT_FALSE(SetCurrentDirectoryW(u"no such folder"));
  char end[PATH_MAX];
  ASSERT_NE(getcwd(end, sizeof end), nullptr);
  EXPECT_EQ(std::string(end), start);
}
