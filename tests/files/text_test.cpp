// The text layer under maps and profiles: elements, scrambling, line
// reading, the score list and its MapScores lines; the MapScores reader
// is tested through the profile.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "files/score_list.h"
#include "files/scrambling.h"
#include "files/tagged_text.h"
#include "files/text_lines.h"
#include "files/widen_text.h"

namespace {

using Lines = std::vector<std::string>;

std::string Value(const std::string& line, const std::string& key) {
  return ExtractElementText(line.c_str(), key.c_str()).get();
}

u8 ScrambleByte(int plain) {
  char text[2] = {static_cast<char>(plain), '\0'};
  return static_cast<u8>(ScrambleText(text)[0]);
}

bool IsSpecialStoredByte(u8 b) { return b == 0x00 || b == 0x0A || b == 0x0D || b == 0x1A; }

// Every line read; "!" stands for one too long, which was passed over.
Lines ReadAll(std::string bytes, i32 capacity) {
  std::FILE* file = fmemopen(bytes.data(), bytes.size(), "rb");
  Lines lines;
  std::vector<char> line(capacity);
  for (LineRead read; (read = ReadTextLine(file, line.data(), capacity)) != LineRead::End;)
    lines.emplace_back(read == LineRead::Line ? line.data() : "!");
  std::fclose(file);
  return lines;
}

}  // namespace

TEST(TaggedText, ExtractsTheFirstCompleteElementOfItsOwnKey) {
  const std::string k300(300, 'k');
  const struct { std::string line, key, value; } cases[] = {
      {"<TYPE>BALL</TYPE> junk <NAME>orbel1</NAME>", "NAME", "orbel1"},
      {"<NAME>a<b>c></NAME>", "NAME", "a<b>c>"},
      {"<NAME>one</NAME><NAME>two</NAME>", "NAME", "one"},
      {"</NAME><NAME>x</NAME>", "NAME", ""},  // the closing tag comes first
      {"<NAME>x", "NAME", ""},
      {"", "NAME", ""},
      {"<POSXY>5</POSXY><POSX>7</POSX>", "POSX", "7"},
      {"<" + k300 + ">v</" + k300 + ">", k300, "v"},
      {"<" + k300 + ">v</" + k300 + ">", k300.substr(1), ""},
      {"<v>" + std::string(ElementTextCapacity - 1, 'x') + "</v>", "v", std::string(ElementTextCapacity - 1, 'x')},
      {"<v>" + std::string(ElementTextCapacity, 'x') + "</v>", "v", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Value(c.line, c.key), c.value) << c.line.substr(0, 40);
  const std::string fits(ElementShortCapacity - 1, '7'), over(ElementShortCapacity, '7');
  EXPECT_EQ(std::string(ExtractElementShort(("<m>" + fits + "</m>").c_str(), "m").get()), fits);
  EXPECT_EQ(std::string(ExtractElementShort(("<m>" + over + "</m>").c_str(), "m").get()), "");
}

TEST(TaggedText, WidenTextSignExtendsAndWritesOnlyLengthPlusOne) {
  WCHAR wide[5] = {u'#', u'#', u'#', u'#', u'#'};
  WidenText(wide, "a\x80\xE9");
  EXPECT_EQ(std::u16string(wide, 5), (std::u16string{u'a', 0xFF80, 0xFFE9, 0, u'#'}));
}

TEST(Scrambling, NoCharacterOfAMapOrProfileLineIsStoredAsASpecialByte) {
  for (int plain = 0x20; plain <= 0x7E; ++plain) EXPECT_FALSE(IsSpecialStoredByte(ScrambleByte(plain))) << plain;
  EXPECT_FALSE(IsSpecialStoredByte(ScrambleByte('\t')));
  std::set<int> unstorable;
  for (int plain = 1; plain <= 0xFF; ++plain)
    if (plain != '\n' && IsSpecialStoredByte(ScrambleByte(plain))) unstorable.insert(plain);
  EXPECT_EQ(unstorable, (std::set<int>{0x02, 0x0F, 0xF5, 0xFF}));
}

TEST(Scrambling, RoundTripsEveryByteLeavesNewlinesAndScramblesPastAZero) {
  std::string text;
  for (int byte = 1; byte < 0xFF; ++byte)
    if (byte != 0xF5) text += static_cast<char>(byte);  // 0xF5 is stored as the terminator
  const std::string plain = text;
  ScrambleText(text.data());
  EXPECT_EQ(text[0x0A - 1], '\n');
  UnscrambleText(text.data());
  EXPECT_EQ(text, plain);

  char zero[] = "a\xF5z";
  ScrambleText(zero);
  EXPECT_EQ(static_cast<u8>(zero[1]), 0);
  EXPECT_EQ(static_cast<u8>(zero[2]), static_cast<u8>('z' - ScrambleKey));
}

TEST(ReadTextLine, CrLfEndsALineNeitherEndCountsAndAnOverlongLineIsPassedOver) {
  const std::string fits(7, 'x'), over(8, 'y');
  const struct { std::string bytes; Lines lines; } cases[] = {
      {"one\ntwo\n", {"one", "two"}},
      {"one\r\n\r\nlast", {"one", "", "last"}},
      {"a\rb\n\r\r\n", {"a\rb", "\r"}},
      {"end\r", {"end\r"}},
      {"", {}},
      {fits + "\n" + fits + "\r\n" + fits, {fits, fits, fits}},
      {"a\n" + over + "\nb\n", {"a", "!", "b"}},
      {"a\n" + over, {"a", "!"}},
      {"a\n" + fits + "\r\r\nb", {"a", "!", "b"}},
      {over + over + "\r\n\n" + fits + "\r", {"!", "", "!"}},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadAll(c.bytes, 8), c.lines) << c.bytes;
}

TEST(MapScoreList, KeepsTheBestScoreOfEachMapInFirstRecordedOrder) {
  MapScoreList list;
  for (const auto& [name, score] : {std::pair{"map2.mn", 0}, {"map1.mn", 40}, {"map1.mn", 50}, {"map2.mn", 30},
                                    {"map2.mn", 20}, {"map0.mn", -5}, {"map1.mn", 49}})
    list.Record(name, score);
  std::vector<std::pair<std::string, i32>> records;
  for (const MapScore* r = list.first; r; r = r->next) records.emplace_back(r->name, r->score);
  EXPECT_EQ(records, (std::vector<std::pair<std::string, i32>>{{"map2.mn", 30}, {"map1.mn", 50}, {"map0.mn", -5}}));
  EXPECT_EQ(list.Find("map1.mn"), list.first->next);
  EXPECT_EQ(list.Find("Map1.mn"), nullptr);
  EXPECT_EQ(list.Find("map1"), nullptr);
}

// Names that would break the profile on reload are never recorded.
TEST(MapScoreList, RecordsOnlyNamesTheProfileCanWriteAndReadBack) {
  const std::string longest(MapNameMaxLength, 'a');
  MapScoreList list;
  for (const std::string& name : Lines{longest + "a", "", "a<b", "a>b", "a\nb", "a\rb", "a\xF5", "\xFF", "/m.mn",
                                       "HighScore", "MapScores", "SavedLevel", "MuteMusic", longest, "a/b.mn",
                                       "highscore", "\x02\x0F\xE9"})
    list.Record(name.c_str(), 7);
  Lines kept;
  for (const MapScore* r = list.first; r; r = r->next) kept.emplace_back(r->name);
  EXPECT_EQ(kept, (Lines{longest, "a/b.mn", "highscore", "\x02\x0F\xE9"}));
}

TEST(MapScoreList, WriteFillsTheFirstLineTo500ThenOneRecordALine) {
  EXPECT_EQ(MapScoreList().Write(), "<MapScores></MapScores>\n");
  MapScoreList list;
  for (int i = 0; i < 30; ++i) list.Record(("map" + std::to_string(10 + i) + ".m").c_str(), 60 + i);
  const std::string longest(MapNameMaxLength, 'm');
  list.Record(longest.c_str(), 2);
  std::istringstream in(list.Write());
  Lines lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[0].size(), 527u);
  EXPECT_EQ(lines[6], "<MapScores><map39.m>89</map39.m></MapScores>");
  EXPECT_EQ(lines[7], "<MapScores><" + longest + ">2</" + longest + "></MapScores>");
}
