#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "files/score_list.h"
#include "files/tag_reader.h"

namespace {

std::vector<std::pair<std::string, i32>> Records(const MapScoreList& list) {
  std::vector<std::pair<std::string, i32>> records;
  for (const MapScore* r = list.first; r != nullptr; r = r->next) {
    records.emplace_back(r->name, r->score);
  }
  return records;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

using Recs = std::vector<std::pair<std::string, i32>>;

}  // namespace

TEST(MapScoreList, KeepsTheBestTimeOfEachMapInFirstRecordedOrder) {
  MapScoreList list;
  list.Record("map2.mn", 0);
  list.Record("map1.mn", 40);
  list.Record("map1.mn", 50);
  list.Record("map2.mn", 30);
  list.Record("map2.mn", 20);
  list.Record("map0.mn", -5);
  EXPECT_EQ(Records(list), (Recs{{"map2.mn", 30}, {"map1.mn", 50}, {"map0.mn", -5}}));
  list.Record("map1.mn", 50);
  list.Record("map1.mn", 49);
  EXPECT_EQ(list.Find("map1.mn")->score, 50);
  EXPECT_EQ(list.last, list.Find("map0.mn"));
}

TEST(MapScoreList, FindIsExact) {
  MapScoreList list;
  EXPECT_EQ(list.Find("map1.mn"), nullptr);
  list.Record("map1.mn", 10);
  EXPECT_NE(list.Find("map1.mn"), nullptr);
  EXPECT_EQ(list.Find("MAP1.mn"), nullptr);
  EXPECT_EQ(list.Find("map1"), nullptr);
  EXPECT_EQ(list.Find("map1.mnx"), nullptr);
}

TEST(MapScoreList, ANameThatDoesNotFitIsNotRecorded) {
  MapScoreList list;
  list.Record(std::string(259, 'a').c_str(), 1);
  list.Record(std::string(260, 'b').c_str(), 2);
  ASSERT_EQ(Records(list).size(), 1u);
  EXPECT_EQ(list.first->name, std::string(259, 'a'));
}

TEST(MapScoreListWrite, EmptyListGivesOneEmptyElement) {
  EXPECT_EQ(MapScoreList().Write(), "<MapScores></MapScores>\n");
}

TEST(MapScoreListWrite, TheFirstLineFillsTo500CharactersThenOneRecordALine) {
  MapScoreList list;
  for (int i = 0; i < 30; ++i) list.Record(("map" + std::to_string(10 + i) + ".m").c_str(), 60 + i);
  const std::vector<std::string> lines = SplitLines(list.Write());
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0].size(), 527u);
  EXPECT_EQ(lines[0].substr(0, 42), "<MapScores><map10.m>60</map10.m><map11.m>6");
  for (std::size_t i = 1; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].size(), 44u);
    EXPECT_EQ(lines[i].substr(0, 11), "<MapScores>");
    EXPECT_EQ(lines[i].substr(32), "</MapScores>");
  }
  EXPECT_EQ(lines[6], "<MapScores><map39.m>89</map39.m></MapScores>");
  EXPECT_EQ(list.Write().back(), '\n');
}

TEST(MapScoreListWrite, NamesLongerThanAMapNameAreLeftOut) {
  MapScoreList list;
  const std::string longest(MapNameMaxLength, 'm');
  list.Record(std::string(MapNameMaxLength + 1, 'x').c_str(), 1);
  list.Record(longest.c_str(), 2);
  EXPECT_EQ(list.Write(), "<MapScores><" + longest + ">2</" + longest + "></MapScores>\n");
}

TEST(TagReader, HandsOutTheKeysInOrderThenNothing) {
  TagReader reader("<map1.mn>50</map1.mn><m2>7</m2>");
  EXPECT_EQ(reader.NextTag(), "map1.mn");
  EXPECT_EQ(reader.readPosition, 21);
  EXPECT_EQ(reader.NextTag(), "m2");
  EXPECT_EQ(reader.readPosition, reader.textLength);
  EXPECT_EQ(reader.NextTag(), "");
  EXPECT_GT(reader.readPosition, reader.textLength);
  EXPECT_EQ(reader.NextTag(), "");
}

TEST(TagReader, NothingToReadGivesTheEmptyTextAtOnce) {
  EXPECT_EQ(TagReader("").NextTag(), "");
  EXPECT_EQ(TagReader("<abc").NextTag(), "");
  EXPECT_EQ(TagReader("abc>").NextTag(), "");
}

TEST(TagReader, KeepsLongKeysWholeAndCutsAnOverlongValue) {
  const std::string key(100, 'k');
  EXPECT_EQ(TagReader(("<" + key + ">1</" + key + ">").c_str()).NextTag(), key);
  const std::string huge(2000, 'z');
  TagReader reader(huge.c_str());
  EXPECT_EQ(reader.textLength, 1023);
  EXPECT_EQ(reader.NextTag(), "");
}
