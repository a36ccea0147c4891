// The whole game played headless through the frame driver and the input
// callbacks at 11 ms a frame: the tutorial by its Next button, then every
// level by its recorded solution, to the end. It runs in a folder of its
// own, so no real profile is read or written.
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "files/profile.h"
#include "tests/files/temp_folder.h"
#include "tests/game/flow_fixture.h"

namespace {

namespace fs = std::filesystem;

// One string of held keys (L R D U) per game step, from "count keys" lines.
std::vector<std::string> ReadSolution(const fs::path& path) {
  std::vector<std::string> steps;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) {
    std::istringstream fields(line.substr(0, line.find('#')));
    int count = 0;
    std::string keys = "-";
    if (fields >> count) fields >> keys, steps.insert(steps.end(), count, keys);
  }
  return steps;
}

class WholeGameTest : public FlowTest {
 protected:
  void SetUp() override {
    fs::create_directories(folder.path / "res/profile");
    for (const char* data : {"maps", "images", "sounds"})
      fs::create_directory_symlink(source / "res" / data, folder.path / "res" / data);
    fs::current_path(folder.path);
    FlowTest::SetUp();
    CopyText(ProfilePath, "res/profile/profile.mnd");
  }
  void TearDown() override {
    FlowTest::TearDown();
    fs::current_path(source);
  }
  // The game's half of a frame, and the tutorial's text read as the status
  // text reads it.
  void Frame() {
    FrameAt(now += 11.0);
    if (CurrentScene->tutorial) shownText = CurrentTutorial.StepText();
  }
  // Presses and releases keys, arrows and letters both, as the held set changes.
  void Hold(const std::string& keys) {
    const struct { char name; UINT key; TiltKey flag; } keyOf[] = {
        {'L', VK_LEFT, TiltLeft}, {'R', 'D', TiltRight}, {'D', VK_DOWN, TiltDown}, {'U', 'W', TiltUp}};
    for (const auto& k : keyOf)
      if ((keys.find(k.name) != std::string::npos) != bool(TiltKeys[k.flag]))
        OnKeyboard(k.key, !TiltKeys[k.flag], false);
  }

  fs::path source = fs::current_path();
  TempFolder folder;
  double now = 100000.0;
  std::string shownText;
};

TEST_F(WholeGameTest, TheTutorialAndEveryLevelPlayThroughToTheEnd) {
  LoadFirstLevel(device);
  Click(ButtonStartTutorial);
  const GameObject* door = CurrentScene->FindByType("door");
  ASSERT_NE(door, nullptr);
  for (u32 step = 0; step < 18; ++step) {
    SCOPED_TRACE(step);
    if (step == 5 || step == 13) {  // the tutorial's own tilt rolls the ball onto the trigger
      EXPECT_FALSE(door->moving);
      for (int i = 0; i < 3000 && !door->moving; ++i) Frame();
      Frame();
      EXPECT_TRUE(door->moving && shownText == "Good job!");
    }
    for (int i = 0; i < 200; ++i) Frame();
    Click(ButtonNext);
  }
  EXPECT_TRUE(!CurrentScene->tutorial && ButtonStates() == TitleButtons);

  OnKeyboard(VK_RETURN, true, false);
  OnKeyboard(VK_RETURN, false, false);
  std::map<std::string, i32> bestTimes;
  i32 score = 0;
  while (!CurrentScene->finished && bestTimes.size() < 100) {
    const std::string map = CurrentScene->currentMapName;
    SCOPED_TRACE(map);
    const i32 balls = i32(CurrentScene->CountShownBalls());
    int steps = 0;
    for (const std::string& keys : ReadSolution(source / "assets/solutions" / fs::path(map).replace_extension(".txt"))) {
      Hold(keys);
      Frame();
      if (CurrentScene->cleared) break;
      ++steps;
    }
    Hold("");
    if (!CurrentScene->cleared) Frame();
    ASSERT_TRUE(CurrentScene->cleared && !bestTimes.count(map));
    // A second goes in every 91st step: the first more than 1000 ms on.
    bestTimes[map] = LevelTimeLimit - steps / 91;
    score += (bestTimes[map] + balls) * 1000;
    EXPECT_EQ(Score, score);
    for (int i = 0; i < 300 && CurrentScene->cleared && !CurrentScene->finished; ++i) Frame();
  }

  std::set<std::string> played, solved;
  for (const auto& [map, seconds] : bestTimes) played.insert(map);
  for (const auto& entry : fs::directory_iterator(source / "assets/solutions"))
    solved.insert(entry.path().stem().string() + ".mn");
  EXPECT_EQ(played, solved);
  EXPECT_TRUE(CurrentScene->finished && LevelCounter == i32(played.size()) && HighScore == score);
  const char* tracks[] = {"mainMusic", "mainMusic2", "mainMusic3", "mainMusic4"};  // one per 3 levels
  EXPECT_TRUE(Playing(tracks[played.size() % 12 / 3]) && !std::strcmp(CurrentMusicName, tracks[played.size() % 12 / 3]));

  Click(ButtonExitGame);
  Click(ButtonYes);
  HighScore = 0;
  delete MapScoreList;
  MapScoreList = new struct MapScoreList;
  LoadProfile();
  EXPECT_EQ(HighScore, score);
  for (const auto& [map, seconds] : bestTimes) EXPECT_EQ(MapScoreList->Find(map.c_str())->score, seconds) << map;
}

}  // namespace
