#include <gtest/gtest.h>

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

