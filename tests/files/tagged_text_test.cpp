#include <gtest/gtest.h>

#include <string>

#include "files/tagged_text.h"
#include "files/widen_text.h"

namespace {

std::string Value(const char* line, const char* key) {
  return ExtractElementText(line, key).get();
}

}  // namespace

TEST(FindTextIndex, EmptyTextOrPatternFindsNothing) {
  EXPECT_EQ(FindTextIndex("", "a"), -1);
  EXPECT_EQ(FindTextIndex("", ""), -1);
  EXPECT_EQ(FindTextIndex("abc", ""), -1);
  EXPECT_EQ(FindTextIndex("abc", "abcd"), -1);
}

TEST(FindTextIndex, FindsTheFirstOccurrenceAfterAFalseStart) {
  EXPECT_EQ(FindTextIndex("aab", "ab"), 1);
  EXPECT_EQ(FindTextIndex("xabab", "ab"), 1);
  EXPECT_EQ(FindTextIndex("abc", "c"), 2);
}

TEST(ExtractElement, EachKeyYieldsItsOwnValue) {
  const char* line = "<TYPE>BALL</TYPE> junk <NAME>orbel1</NAME>";
  EXPECT_EQ(Value(line, "TYPE"), "BALL");
  EXPECT_EQ(Value(line, "NAME"), "orbel1");
  EXPECT_EQ(Value(line, "POSX"), "");
}

TEST(ExtractElement, ValuesKeepAngleBracketsAndTheFirstElementCounts) {
  EXPECT_EQ(Value("<NAME>a<b>c></NAME>", "NAME"), "a<b>c>");
  EXPECT_EQ(Value("<NAME>one</NAME><NAME>two</NAME>", "NAME"), "one");
}

TEST(ExtractElement, EveryMissingElementIsEmpty) {
  // The first closing tag stands before the opening tag, even though a
  // complete element follows.
  EXPECT_EQ(Value("</NAME><NAME>x</NAME>", "NAME"), "");
  EXPECT_EQ(Value("<NAME>x", "NAME"), "");
  EXPECT_EQ(Value("x</NAME>", "NAME"), "");
  EXPECT_EQ(Value("<NAME></NAME>", "NAME"), "");
  EXPECT_EQ(Value("", "NAME"), "");
}

TEST(ExtractElement, AKeyDoesNotFindALongerKeyItBegins) {
  EXPECT_EQ(Value("<POSXY>5</POSXY>", "POSX"), "");
  EXPECT_EQ(Value("<POSXY>5</POSXY><POSX>7</POSX>", "POSX"), "7");
}

TEST(ExtractElement, ValuesBeyondTheirCapacityAreRefused) {
  const std::string fits(ElementShortCapacity - 1, '7');
  const std::string over(ElementShortCapacity, '7');
  EXPECT_EQ(std::string(ExtractElementShort(("<m>" + fits + "</m>").c_str(), "m").get()), fits);
  EXPECT_EQ(std::string(ExtractElementShort(("<m>" + over + "</m>").c_str(), "m").get()), "");

  const std::string fitsText(ElementTextCapacity - 1, 'x');
  const std::string overText(ElementTextCapacity, 'x');
  EXPECT_EQ(Value(("<v>" + fitsText + "</v>").c_str(), "v"), fitsText);
  EXPECT_EQ(Value(("<v>" + overText + "</v>").c_str(), "v"), "");
}

TEST(ExtractElement, LongKeysAreKeptWhole) {
  const std::string key(300, 'k');
  EXPECT_EQ(MakeOpenTag(key.c_str()), "<" + key + ">");
  EXPECT_EQ(MakeCloseTag("HighScore"), "</HighScore>");
  const std::string line = "<" + key + ">v</" + key + ">";
  EXPECT_EQ(Value(line.c_str(), key.c_str()), "v");
  // A shorter key made of the same letters is another key.
  EXPECT_EQ(Value(line.c_str(), std::string(299, 'k').c_str()), "");
}

TEST(WidenText, WritesLengthPlusOneUnitsSignExtended) {
  WCHAR wide[6] = {u'#', u'#', u'#', u'#', u'#', u'#'};
  WidenText(wide, "abc");
  EXPECT_EQ(std::u16string(wide, 4), std::u16string(u"abc\0", 4));
  EXPECT_EQ(wide[4], u'#');

  WidenText(wide, "\x7F\x80\xE9");
  EXPECT_EQ(wide[0], 0x007F);
  EXPECT_EQ(wide[1], 0xFF80);
  EXPECT_EQ(wide[2], 0xFFE9);
  EXPECT_EQ(wide[3], 0);
}
