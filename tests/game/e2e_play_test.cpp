// The game played as a player plays it, under a virtual X display: real
// clicks on its buttons and held arrow keys, what the window shows, and the
// profile it leaves behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "files/profile.h"
#include "files/scrambling.h"
#include "files/profile_values.h"
#include "tests/game/e2e_session.h"

namespace {

// Centres of the buttons in the column at the window's right edge.
constexpr int ButtonX = 951;
constexpr int StartGameY = 45, ExitGameY = 141, MuteY = 213, YesY = 357, NoY = 381;
// The board, the button column and the mute button, as rectangles.
constexpr int Board[] = {250, 150, 780, 620};
constexpr int Buttons[] = {889, 34, 1014, 224};
// The number under "Current Level:" at the bottom right.
constexpr int LevelNumber[] = {860, 700, 930, 732};
constexpr int Mute[] = {889, 202, 1014, 224};
// The ball's start cell, inside the board, where neither the turning sky nor
// the tilt's small shifts of the board show.
constexpr int BallStart[] = {340, 250, 385, 290};
// The first and the last line of the cleared level's bonus text; "Try Again"
// would light only the first.
constexpr int ClearedFirstLine[] = {382, 384, 700, 416};
constexpr int ClearedLastLine[] = {382, 478, 700, 510};

// The first level of the shipped game with its goal on the ball's path:
// held Down rolls the ball straight home. It leads on to the shipped map2.
const std::vector<std::string> FirstMap = {
    "<TYPE>PLANE</TYPE><FILE>map1</FILE><NEXT>map2</NEXT><POSX>-5</POSX><POSY>0</POSY><POSZ>6</POSZ><LENGTH>10</LENGTH><WIDTH>12</WIDTH><HEIGHT>0</HEIGHT>",
    "<TYPE>BLOCK</TYPE><POSX>4</POSX><POSY>0</POSY><POSZ>6</POSZ><LENGTH>1</LENGTH><WIDTH>12</WIDTH><HEIGHT>1</HEIGHT>",
    "<TYPE>BLOCK</TYPE><POSX>-5</POSX><POSY>0</POSY><POSZ>6</POSZ><LENGTH>9</LENGTH><WIDTH>1</WIDTH><HEIGHT>1</HEIGHT>",
    "<TYPE>BLOCK</TYPE><POSX>-5</POSX><POSY>0</POSY><POSZ>-5</POSZ><LENGTH>9</LENGTH><WIDTH>1</WIDTH><HEIGHT>1</HEIGHT>",
    "<TYPE>BLOCK</TYPE><POSX>1</POSX><POSY>0</POSY><POSZ>3</POSZ><LENGTH>1</LENGTH><WIDTH>6</WIDTH><HEIGHT>1</HEIGHT>",
    "<TYPE>BLOCK</TYPE><POSX>-2</POSX><POSY>0</POSY><POSZ>3</POSZ><LENGTH>1</LENGTH><WIDTH>6</WIDTH><HEIGHT>1</HEIGHT>",
    "<TYPE>BLOCK</TYPE><POSX>-5</POSX><POSY>0</POSY><POSZ>5</POSZ><LENGTH>1</LENGTH><WIDTH>10</WIDTH><HEIGHT>1</HEIGHT>",
    "<TYPE>GOAL</TYPE><NAME>goal</NAME><POSX>-4</POSX><POSY>0</POSY><POSZ>5</POSZ><LENGTH>1</LENGTH><WIDTH>1</WIDTH><HEIGHT>0.2</HEIGHT>",
    "<TYPE>BALL</TYPE><NAME>Orbel</NAME><POSX>3.1</POSX><POSY>0</POSY><POSZ>4.9</POSZ>",
};

class PlayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::getenv("TUMBLOX_GAME") || !std::getenv("DISPLAY"))
      GTEST_SKIP() << "needs TUMBLOX_GAME and an X display (tests/game/e2e_test.sh)";
    folder.WriteMap("map1.mn", FirstMap);
    folder.CopyShippedMap("map2.mn");
  }
  double Region(const std::vector<unsigned>& a, const std::vector<unsigned>& b, const int* r) {
    return Difference(a, b, r[0], r[1], r[2], r[3]);
  }
  std::vector<bool> Level(const std::vector<unsigned>& picture) {
    return YellowMask(picture, LevelNumber[0], LevelNumber[1], LevelNumber[2], LevelNumber[3]);
  }
  // Two masks of the same text, whatever the sky behind its edges.
  static bool SameText(const std::vector<bool>& a, const std::vector<bool>& b) {
    size_t differ = 0, lit = 0;
    for (size_t i = 0; i < a.size(); ++i) {
      differ += a[i] != b[i];
      lit += a[i];
    }
    return differ * 5 <= lit;
  }
  static std::size_t BallAtStart(const std::vector<unsigned>& picture) {
    return NotFloorPixels(picture, BallStart[0], BallStart[1], BallStart[2], BallStart[3]);
  }
  static bool Lit(const std::vector<unsigned>& picture, const int* r) {
    const std::vector<bool> text = YellowMask(picture, r[0], r[1], r[2], r[3]);
    return std::count(text.begin(), text.end(), true) > 300;
  }
  static bool ClearedTextShown(const std::vector<unsigned>& picture) {
    return Lit(picture, ClearedFirstLine) && Lit(picture, ClearedLastLine);
  }
  std::pair<int, int> Caption(const std::vector<unsigned>& picture) {
    return WhiteSpan(picture, Mute[0], Mute[1], Mute[2], Mute[3]);
  }
  // Start Game!, then Down held until the ball is home and the second map
  // is up, three seconds later; a slow build takes longer.
  void PlayFirstLevel(GameSession& game) {
    game.Click(ButtonX, StartGameY);
    // The title's credits run where the level's number will be: play has
    // begun once the score shows at the top left.
    const auto scored = [&] {
      const std::vector<bool> score = YellowMask(playing = game.Grab(), 25, 20, 140, 50);
      return std::count(score.begin(), score.end(), true) > 30;
    };
    ASSERT_TRUE(WaitUntil(scored, 10000)) << "the score shows in play";
    game.SavePicture("e2e_level");
    ASSERT_GT(BallAtStart(playing), 200u) << "the ball stands at its start";
    ASSERT_FALSE(Lit(playing, ClearedFirstLine) || Lit(playing, ClearedLastLine));
    game.KeyDown("Down");
    EXPECT_TRUE(WaitUntil([&] { return BallAtStart(game.Grab()) == 0; }, 20000))
        << "the ball left its place";
    std::vector<unsigned> cleared;
    EXPECT_TRUE(WaitUntil([&] { return ClearedTextShown(cleared = game.Grab()); }, 20000))
        << "\"Level Cleared!\" and its bonus lines show";
    SavePicture("e2e_cleared", cleared);
    EXPECT_TRUE(WaitUntil([&] { return !SameText(Level(game.Grab()), Level(playing)); }, 60000))
        << "the second map follows the cleared first";
    game.KeyUp("Down");
    SleepMs(500);
    game.SavePicture("e2e_next_level");
    second = game.Grab();
  }
  GameFolder folder;
  std::vector<unsigned> playing, second;
};

TEST_F(PlayTest, ALevelClearedThenExitGameAndYesWriteTheProfile) {
  GameSession game(folder);
  ASSERT_TRUE(game.Started());
  game.SavePicture("e2e_title");
  ASSERT_NO_FATAL_FAILURE(PlayFirstLevel(game));
  const std::vector<unsigned> next = second;

  game.Click(ButtonX, ExitGameY);
  const double lit = Brightness(next, Board[0], Board[1], Board[2], Board[3]);
  std::vector<unsigned> prompt;
  EXPECT_TRUE(WaitUntil([&] {
    prompt = game.Grab();
    return Brightness(prompt, Board[0], Board[1], Board[2], Board[3]) < 0.8 * lit;
  }, 10000)) << "the scene is dimmed under the prompt";
  game.SavePicture("e2e_exit_prompt");
  game.Click(ButtonX, NoY);
  EXPECT_TRUE(WaitUntil([&] {
    const std::vector<unsigned> afterNo = game.Grab();
    return Region(next, afterNo, Buttons) < Region(prompt, afterNo, Buttons) / 2;
  }, 10000)) << "No gives the buttons back";

  game.Click(ButtonX, ExitGameY);
  game.Click(ButtonX, YesY);
  EXPECT_EQ(game.WaitForExit(30000), 0);
  ASSERT_TRUE(std::filesystem::exists(folder.ProfilePath()));
  std::snprintf(ProfilePath, sizeof ProfilePath, "%s", folder.ProfilePath().c_str());
  MapScoreList = new struct MapScoreList();
  LoadProfile();
  std::string profile = ReadWholeFile(folder.ProfilePath());
  UnscrambleText(profile.data());
  const MapScore* best = MapScoreList->Find("map1.mn");
  ASSERT_NE(best, nullptr) << profile;
  EXPECT_GT(best->score, 90);
  EXPECT_GT(HighScore, 90000);
  delete MapScoreList;
  MapScoreList = nullptr;
}

TEST_F(PlayTest, MuteSoundRelabelsItselfAndOutlastsARestart) {
  std::vector<unsigned> unmuted, muted;
  {
    GameSession game(folder);
    ASSERT_TRUE(game.Started());
    unmuted = game.Grab();
    game.Click(ButtonX, MuteY);
    WaitUntil([&] { return Caption(muted = game.Grab()) != Caption(unmuted); }, 10000);
    game.SavePicture("e2e_muted");
    EXPECT_LT(Caption(muted).first, Caption(unmuted).first) << "\"UnMute Sound\" is the wider";
    game.Click(ButtonX, ExitGameY);
    game.Click(ButtonX, YesY);
    EXPECT_EQ(game.WaitForExit(30000), 0);
  }
  GameSession again(folder);
  ASSERT_TRUE(again.Started());
  const std::vector<unsigned> restarted = again.Grab();
  again.SavePicture("e2e_muted_restarted");
  EXPECT_EQ(Caption(restarted), Caption(muted)) << "still muted after a restart";
}

TEST_F(PlayTest, F3TakesTheGameBackToItsFirstMap) {
  GameSession game(folder);
  ASSERT_TRUE(game.Started());
  ASSERT_NO_FATAL_FAILURE(PlayFirstLevel(game));
  game.Key("F3");
  std::vector<unsigned> back;
  EXPECT_TRUE(WaitUntil([&] { return SameText(Level(back = game.Grab()), Level(playing)); }, 20000));
  game.SavePicture("e2e_after_f3");
  EXPECT_LT(Region(playing, back, Board), Region(second, back, Board) / 2);
}

TEST_F(PlayTest, TheWindowsCloseButtonEndsTheGameWithoutAProfile) {
  GameSession game(folder);
  ASSERT_TRUE(game.Started());
  game.Click(ButtonX, StartGameY);
  game.CloseWindow();
  EXPECT_EQ(game.WaitForExit(30000), 0);
  EXPECT_FALSE(std::filesystem::exists(folder.ProfilePath()));
}

}  // namespace
