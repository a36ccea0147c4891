// Profiles edited by hand or damaged on disk.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "tests/files/profile_fixture.h"

namespace {

// A HighScore line padded with spaces after its element to length characters.
std::string HighScoreLine(int score, std::size_t length) {
  std::string line = "<HighScore>" + std::to_string(score) + "</HighScore>";
  return line + std::string(length - line.size(), ' ');
}

}  // namespace

TEST_F(ProfileTest, ALineOf1000CharactersEndsTheReading) {
  WriteProfile({HighScoreLine(1, 999), "<MuteMusic>true</MuteMusic>", HighScoreLine(2, 1000),
                "<SavedLevel>map2.mn</SavedLevel>"});
  LoadProfile();
  EXPECT_EQ(HighScore, 1);
  EXPECT_EQ(MusicMuted, 1);
  EXPECT_STREQ(SavedLevel, "");
}

TEST_F(ProfileTest, AWindowsLineEndDoesNotCountAgainstTheLineLength) {
  WriteProfile({HighScoreLine(1, 999), HighScoreLine(2, 999)}, "\r\n");
  LoadProfile();
  EXPECT_EQ(HighScore, 2);
}

TEST_F(ProfileTest, ASavedLevelThatDoesNotFitIsRefused) {
  const std::string fits(SavedLevelCapacity - 1, 's');
  WriteProfile({"<SavedLevel>" + fits + "</SavedLevel>"});
  LoadProfile();
  EXPECT_EQ(std::string(SavedLevel), fits);
  EXPECT_EQ(std::string(LevelToLoad), fits);

  WriteProfile({"<SavedLevel>" + std::string(SavedLevelCapacity, 't') + "</SavedLevel>",
                "<SavedLevel>" + std::string(500, 'u') + "</SavedLevel>"});
  LoadProfile();
  EXPECT_EQ(std::string(SavedLevel), fits);
  EXPECT_EQ(std::string(LevelToLoad), fits);
}

TEST_F(ProfileTest, MapNamesAsLongAsAMapNameAreKeptLongerOnesRefused) {
  const std::string longest(MapNameMaxLength, 'a');
  const std::string tooLong(MapNameMaxLength + 1, 'b');
  const std::string huge(300, 'c');
  WriteProfile({"<MapScores><" + tooLong + ">5</" + tooLong + "><" + longest + ">6</" + longest +
                "><" + huge + ">7</" + huge + "><z.mn>8</z.mn></MapScores>"});
  LoadProfile();
  EXPECT_EQ(Scores(), (ScoreRecords{{longest, 6}, {"z.mn", 8}}));
}

TEST_F(ProfileTest, OverlongAndOutOfRangeNumbersStayInBounds) {
  WriteProfile({"<MapScores><a.mn>" + std::string(300, '9') + "</a.mn><b.mn>" + std::string(250, '9') +
                    "</b.mn><c.mn>-99999999999</c.mn><d.mn>  -12xyz</d.mn><e.mn>xyz</e.mn></MapScores>",
                "<HighScore>99999999999999999999999</HighScore>"});
  LoadProfile();
  EXPECT_EQ(Scores(), (ScoreRecords{{"a.mn", 0}, {"b.mn", INT_MAX}, {"c.mn", INT_MIN},
                                    {"d.mn", -12}, {"e.mn", 0}}));
  EXPECT_EQ(HighScore, INT_MAX);
}

TEST_F(ProfileTest, BrokenMapScoresElementsReadWhatTheyCan) {
  WriteProfile({"<MapScores><a.mn>1</a.mn><>2</><b.mn>3</b.mn></MapScores>",
                "<MapScores><c.mn>4<d.mn>5</d.mn></MapScores>",
                "<MapScores>e.mn>6</e.mn><f.mn>7</f.mn></MapScores>",
                "<MapScores><g.mn>8</MapScores>"});
  LoadProfile();
  // "<>" ends its line's reading; an element without its closing tag scores 0,
  // and the reader then takes the next closing tag for a key.
  EXPECT_EQ(Scores(), (ScoreRecords{{"a.mn", 1}, {"c.mn", 0}, {"/d.mn", 0}, {"g.mn", 0}}));
}

TEST_F(ProfileTest, GarbageBytesAreReadWithoutHarm) {
  std::string bytes;
  for (int i = 0; i < 4000; ++i) {
    const char c = static_cast<char>((i * 131 + i / 7) & 0xFF);
    bytes += i % 200 == 199 ? '\n' : c == '\n' ? 'n' : c;
  }
  std::string line = "<HighScore>31</HighScore>";
  ScrambleText(line.data());
  WriteWholeFile(path, bytes + line + "\n");
  LoadProfile();
  EXPECT_EQ(HighScore, 31);

  // A zero byte ends the text of its line.
  std::string zero = "<HighScore>4</HighScore>";
  ScrambleText(zero.data());
  WriteWholeFile(path, zero + std::string("\0", 1) + line + "\n");
  LoadProfile();
  EXPECT_EQ(HighScore, 4);
}
