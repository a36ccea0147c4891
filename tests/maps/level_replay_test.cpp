// The shipped levels are playable: each one's solution (held tilt keys per
// game tick) clears it through the map reader and the game step before its
// countdown ends, the levels chain to FINISH, and the tutorial map gives the
// tutorial's own tilts a trigger to reach and a door to move.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "files/map_reader.h"
#include "platform/d3d9/recording_device.h"
#include "platform/dxut/timer.h"
#include "world/game_step.h"
#include "world/level_clock.h"
#include "world/scene.h"
#include "world/tilt.h"

namespace {

// One string of held keys (L R D U) per game tick.
std::vector<std::string> ReadSolution(const std::string& path) {
  std::vector<std::string> ticks;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    line = line.substr(0, line.find('#'));
    std::istringstream fields(line);
    int count = 0;
    std::string keys = "-";
    if (!(fields >> count)) continue;
    fields >> keys;
    ticks.insert(ticks.end(), count, keys);
  }
  return ticks;
}

class Levels : public ::testing::Test {
 protected:
  void SetUp() override {
    DXUTGetGlobalTimer()->Stop();
    SetClock(100.0);
  }
  void TearDown() override {
    delete CurrentScene;
    CurrentScene = nullptr;
    delete CurrentLevelClock;
    CurrentLevelClock = nullptr;
    device->Release();
  }

  void SetClock(double seconds) {
    now = seconds;
    DXUTGetGlobalTimer()->SetTime(now);
  }

  // One game tick as the frame driver runs it, 11 ms after the last: a
  // little slower than the fastest the game can go.
  void Tick(const std::string& keys) {
    SetClock(now + 0.011);
    TiltKeys[TiltLeft] = keys.find('L') != std::string::npos;
    TiltKeys[TiltRight] = keys.find('R') != std::string::npos;
    TiltKeys[TiltDown] = keys.find('D') != std::string::npos;
    TiltKeys[TiltUp] = keys.find('U') != std::string::npos;
    ApplyTiltKeys();
    StepBalls();
    StepLevelObjects();
    CountDownLevelClock(static_cast<f32>(now * 1000.0));
  }

  RecordingDevice* device = new RecordingDevice;
  double now = 0.0;
};

// The chain runs map1 .. map<LevelCount>, and the last names FINISH.
constexpr int LevelCount = 29;

class EveryLevel : public Levels, public ::testing::WithParamInterface<int> {};

TEST_P(EveryLevel, SolutionClearsItBeforeTheCountdownEnds) {
  const std::string name = "map" + std::to_string(GetParam());
  LoadLevelMap(device, (name + ".mn").c_str());
  ASSERT_NE(CurrentScene, nullptr);
  EXPECT_STREQ(CurrentScene->currentMapName, (name + ".mn").c_str());
  EXPECT_EQ(DataInconsistent, 0);
  const std::string next = GetParam() == LevelCount ? "FINISH.mn" : "map" + std::to_string(GetParam() + 1) + ".mn";
  EXPECT_STREQ(CurrentScene->nextMapName, next.c_str());
  for (GameObject* o = CurrentScene->firstObject; o; o = o->next) {
    const bool drawn = !o->TypeIs("LIGHT") && !o->TypeIs("wall");
    EXPECT_EQ(o->meshLoaded, drawn ? 1 : 0) << o->type;
  }

  const u32 balls = CurrentScene->CountShownBalls();
  int ticks = 0;
  for (const std::string& keys : ReadSolution("assets/solutions/" + name + ".txt")) {
    if (CurrentScene->AllBallsHome()) break;
    Tick(keys);
    ++ticks;
  }
  EXPECT_TRUE(CurrentScene->AllBallsHome()) << "after " << ticks << " ticks";
  EXPECT_EQ(CurrentScene->CountShownBalls(), balls) << "a ball was lost";
  EXPECT_GT(CurrentLevelClock->secondsLeft, 0);
  EXPECT_EQ(TimeUp, 0);
}

INSTANTIATE_TEST_SUITE_P(Shipped, EveryLevel, ::testing::Range(1, LevelCount + 1));

// Between them the levels use every kind of object the game has.
TEST_F(Levels, TheChainUsesEveryKindOfObject) {
  std::set<std::string> seen;
  std::string name = "map1.mn";
  int levels = 0;
  while (name != "FINISH.mn" && levels < 50) {
    LoadLevelMap(device, name.c_str());
    ASSERT_STREQ(CurrentScene->currentMapName, name.c_str());
    if (CurrentScene->CountShownBalls() >= 2) seen.insert("several balls");
    const Vec3 eye = CurrentScene->cameraPosition;
    if (eye.x != 0.0f || eye.y != 25.0f || eye.z != -10.0f) seen.insert("camera");
    for (GameObject* o = CurrentScene->firstObject; o; o = o->next) {
      const std::string direction = std::to_string(o->direction);
      if (o->TypeIs("goal") || o->TypeIs("wall")) seen.insert(o->type);
      if (o->TypeIs("spike")) seen.insert("spike " + direction);
      if (o->TypeIs("trigger")) seen.insert(o->mode ? "group trigger" : "trigger");
      if (o->TypeContains("door")) seen.insert("door " + direction);
      if (o->TypeIs("LIGHT")) seen.insert("light " + std::to_string(o->lightKind));
      // An exit: a warp that another warp names.
      if (o->TypeContains("warp")) {
        for (GameObject* w = CurrentScene->firstObject; w; w = w->next) {
          if (w != o && w->TypeContains("warp") && std::strcmp(w->target, o->type) == 0)
            seen.insert("exit " + direction);
        }
      }
    }
    name = CurrentScene->nextMapName;
    ++levels;
  }
  EXPECT_EQ(name, "FINISH.mn");
  EXPECT_EQ(levels, LevelCount);
  for (const char* kind : {"several balls", "camera", "goal", "wall", "spike 0", "spike 2", "trigger",
                           "group trigger", "door 5", "door 3", "light 1", "exit 0",
                           "exit 2", "exit 3", "exit 5"})
    EXPECT_TRUE(seen.count(kind)) << kind;
}

// The game never switches a light off, so a level with fewer lights than the
// one before would keep that level's extra lights. Every map therefore lights
// itself with one spot; a point light always sits at one fixed place and
// floods the board.
TEST_F(Levels, EveryMapHasOneSpotLight) {
  for (int level = 0; level <= LevelCount; ++level) {
    const std::string name = "map" + std::to_string(level) + ".mn";
    LoadLevelMap(device, name.c_str());
    ASSERT_STREQ(CurrentScene->currentMapName, name.c_str());
    int spots = 0, others = 0;
    for (GameObject* o = CurrentScene->firstObject; o; o = o->next)
      if (o->TypeIs("LIGHT")) ++(o->lightKind == SpotLight ? spots : others);
    EXPECT_EQ(spots, 1) << name;
    EXPECT_EQ(others, 0) << name;
  }
}

// The tutorial's own tilts, as it makes them each game tick at steps 2 to 5:
// right, left, up while levelling left-right, then down until the door moves.
struct TutorialPace {
  int right, left, up;
};

class TutorialMap : public Levels, public ::testing::WithParamInterface<TutorialPace> {
 protected:
  void SetUp() override {
    Levels::SetUp();
    LoadLevelMap(device, "map0.mn");
    ASSERT_NE(CurrentScene, nullptr);
    board = CurrentScene->FindByType("map");
    ball = CurrentScene->FindByType("ball");
    door = CurrentScene->FindByType("door");
    ASSERT_TRUE(board && ball && door);
  }

  void Step() {
    SetClock(now + 0.011);
    StepBalls();
    StepLevelObjects();
  }

  // Runs the board's pose for at most `ticks` ticks; true once the door moves.
  template <class Pose>
  bool Run(int ticks, Pose pose) {
    for (int i = 0; i < ticks; ++i) {
      pose(board->rotation.x, board->rotation.z);
      Step();
      if (door->moving) return true;
    }
    return false;
  }

  GameObject* board = nullptr;
  GameObject* ball = nullptr;
  GameObject* door = nullptr;
};

constexpr f32 kHalfStep = 0.01f;

TEST_P(TutorialMap, StepFiveRollsTheBallOntoATrigger) {
  const TutorialPace pace = GetParam();
  Run(pace.right, [](f32& x, f32&) { x = std::max(x - kHalfStep, -TiltLimit); });
  Run(pace.left, [](f32& x, f32&) { x = std::min(x + kHalfStep, TiltLimit); });
  Run(pace.up, [](f32& x, f32& z) {
    z = std::max(z - kHalfStep, -TiltLimit);
    if (x > 0) x -= kHalfStep;
    if (x < 0) x += kHalfStep;
  });
  ASSERT_FALSE(door->moving);
  EXPECT_TRUE(Run(2000, [](f32&, f32& z) { z = std::min(z + kHalfStep, TiltLimit); }));
}

INSTANTIATE_TEST_SUITE_P(Paces, TutorialMap,
                         ::testing::Values(TutorialPace{0, 0, 0}, TutorialPace{300, 300, 300},
                                           TutorialPace{40, 40, 40}, TutorialPace{300, 0, 0},
                                           TutorialPace{0, 300, 40}));

TEST_F(Levels, TutorialStepThirteenRollsTheBallFromTheMiddleOntoATrigger) {
  LoadLevelMap(device, "map0.mn");
  GameObject* board = CurrentScene->FindByType("map");
  GameObject* ball = CurrentScene->FindByType("ball");
  GameObject* door = CurrentScene->FindByType("door");
  ASSERT_TRUE(board && ball && door);
  ball->position.x = 0.0f;
  ball->position.z = 0.0f;
  board->rotation.x = 0.0f;
  board->rotation.z = TiltLimit * 0.33333334f;
  int ticks = 0;
  while (!door->moving && ticks < 1000) {
    SetClock(now + 0.011);
    StepBalls();
    StepLevelObjects();
    ++ticks;
  }
  EXPECT_TRUE(door->moving);
}

}  // namespace
