#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "tests/files/profile_fixture.h"

namespace {

std::vector<std::string> FolderEntries(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

}  // namespace

TEST_F(ProfileTest, WritesTheFourKindsOfLineScrambledInOrder) {
  MapScoreList->Record("map1.mn", 87);
  MapScoreList->Record("map2.mn", 5);
  HighScore = 1234;
  SetSavedLevel("map2.mn");
  MusicMuted = 1;
  SaveProfile();
  EXPECT_EQ(ReadProfile(), (TextLines{"<MapScores><map1.mn>87</map1.mn><map2.mn>5</map2.mn></MapScores>",
                                      "<HighScore>1234</HighScore>", "<SavedLevel>map2.mn</SavedLevel>",
                                      "<MuteMusic>true</MuteMusic>"}));
  EXPECT_EQ(ReadWholeFile(path).find('\r'), std::string::npos);
  EXPECT_EQ(FolderEntries(folder.path), (TextLines{"profile.mnd"}));
}

TEST_F(ProfileTest, AnEmptySavedLevelWritesNoSavedLevelLine) {
  SaveProfile();
  EXPECT_EQ(ReadProfile(), (TextLines{"<MapScores></MapScores>", "<HighScore>0</HighScore>",
                                      "<MuteMusic>false</MuteMusic>"}));
}

TEST_F(ProfileTest, ASavedProfileReadsBackWhole) {
  const std::string longestName(MapNameMaxLength - 3, 'q');
  for (int i = 0; i < 30; ++i) MapScoreList->Record(("level" + std::to_string(i) + ".mn").c_str(), i);
  MapScoreList->Record((longestName + ".mn").c_str(), 100);
  MapScoreList->Record("negative.mn", -7);
  HighScore = 987654;
  SetSavedLevel("level12.mn");
  MusicMuted = 1;
  SaveProfile();
  ASSERT_GT(ReadProfile().size(), 4u) << "the block should take several lines";

  const ScoreRecords saved = Scores();
  ResetValues();
  LoadProfile();
  EXPECT_EQ(Scores(), saved);
  EXPECT_EQ(HighScore, 987654);
  EXPECT_STREQ(SavedLevel, "level12.mn");
  EXPECT_STREQ(LevelToLoad, "level12.mn");
  EXPECT_EQ(MusicMuted, 1);
}

TEST_F(ProfileTest, AProfileWithWindowsLineEndsReadsTheSame) {
  MapScoreList->Record("map1.mn", 42);
  HighScore = 77;
  SetSavedLevel("map3.mn");
  SaveProfile();
  std::string bytes = ReadWholeFile(path);
  std::string windows;
  for (char c : bytes) windows += c == '\n' ? std::string("\r\n") : std::string(1, c);
  WriteWholeFile(path, windows);

  ResetValues();
  LoadProfile();
  EXPECT_EQ(Scores(), (ScoreRecords{{"map1.mn", 42}}));
  EXPECT_EQ(HighScore, 77);
  EXPECT_STREQ(SavedLevel, "map3.mn");
  EXPECT_EQ(MusicMuted, 0);
}

TEST_F(ProfileTest, AMissingProfileChangesNothing) {
  MapScoreList->Record("map1.mn", 3);
  HighScore = 12;
  SetSavedLevel("map2.mn");
  MusicMuted = 1;
  LoadProfile();
  EXPECT_EQ(Scores(), (ScoreRecords{{"map1.mn", 3}}));
  EXPECT_EQ(HighScore, 12);
  EXPECT_STREQ(SavedLevel, "map2.mn");
  EXPECT_STREQ(LevelToLoad, "");
  EXPECT_EQ(MusicMuted, 1);
}

TEST_F(ProfileTest, AMissingFolderWritesNothing) {
  const std::string missing = folder.File("nowhere");
  SetProfilePath(missing + "/profile.mnd");
  SaveProfile();
  EXPECT_FALSE(std::filesystem::exists(missing));
  EXPECT_TRUE(FolderEntries(folder.path).empty());
}

TEST_F(ProfileTest, AFailingWriteLeavesTheOldProfileWhole) {
  MapScoreList->Record("map1.mn", 10);
  HighScore = 5;
  SaveProfile();
  const std::string old = ReadWholeFile(path);
  ASSERT_FALSE(old.empty());

  // A disk that fills up after a few bytes of the new profile.
  for (int i = 0; i < 40; ++i) MapScoreList->Record(("map" + std::to_string(i + 2) + ".mn").c_str(), i);
  HighScore = 999;
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 64;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  SaveProfile();
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_EQ(ReadWholeFile(path), old);
  EXPECT_EQ(FolderEntries(folder.path), (TextLines{"profile.mnd"}));
  ResetValues();
  LoadProfile();
  EXPECT_EQ(HighScore, 5);
}

TEST_F(ProfileTest, ATagIsTakenOnEveryLineInAnyOrder) {
  WriteProfile({"<MuteMusic>true</MuteMusic><HighScore>3</HighScore>",
                "<MapScores><b.mn>4</b.mn></MapScores>",
                "<HighScore>8</HighScore><MapScores><a.mn>1</a.mn><b.mn>9</b.mn></MapScores>",
                "<MapScores><a.mn>0</a.mn></MapScores><SavedLevel>a.mn</SavedLevel>"});
  LoadProfile();
  EXPECT_EQ(Scores(), (ScoreRecords{{"b.mn", 9}, {"a.mn", 1}}));
  EXPECT_EQ(HighScore, 8);
  EXPECT_EQ(MusicMuted, 1);
  EXPECT_STREQ(LevelToLoad, "a.mn");
}

TEST_F(ProfileTest, OnlyTrueMutesAndAnEmptyValueChangesNothing) {
  const std::pair<const char*, u8> cases[] = {
      {"<MuteMusic>true</MuteMusic>", 1}, {"<MuteMusic>True</MuteMusic>", 0},
      {"<MuteMusic>yes</MuteMusic>", 0},  {"<MuteMusic>false</MuteMusic>", 0},
      {"<MuteMusic></MuteMusic>", 7},     {"<MuteMusic>true </MuteMusic>", 0}};
  for (const auto& [line, muted] : cases) {
    MusicMuted = 7;
    WriteProfile({line});
    LoadProfile();
    EXPECT_EQ(MusicMuted, muted) << line;
  }
}

TEST_F(ProfileTest, AMapTwiceInOneLineReadsTheFirstScoreBothTimes) {
  WriteProfile({"<MapScores><m.mn>5</m.mn><m.mn>9</m.mn></MapScores>"});
  LoadProfile();
  EXPECT_EQ(Scores(), (ScoreRecords{{"m.mn", 5}}));
}

TEST_F(ProfileTest, WithoutAScoreListTheOtherValuesAreStillRead) {
  delete MapScoreList;
  MapScoreList = nullptr;
  WriteProfile({"<MapScores><m.mn>5</m.mn></MapScores>", "<HighScore>6</HighScore>"});
  LoadProfile();
  EXPECT_EQ(HighScore, 6);
}
