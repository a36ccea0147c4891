// The shipped levels: they chain to FINISH with every kind of object between
// them, and the tutorial map gives the tutorial's own tilts, at any pace, a
// trigger to reach and a door to move.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "files/map_reader.h"
#include "platform/d3d9/recording_device.h"
#include "platform/dxut/timer.h"
#include "world/game_step.h"
#include "world/level_clock.h"
#include "world/scene.h"
#include "world/tilt.h"

namespace {

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

  RecordingDevice* device = new RecordingDevice;
  double now = 0.0;
};

// The chain runs map1 .. map<LevelCount>, and the last names FINISH. Every
// model loads, and between them the levels use every kind of object the game
// has. The game never switches a light off, so a level with fewer lights than
// the one before would keep that level's extra lights: every map therefore
// lights itself with one spot (a point light sits at one fixed place and
// floods the board). Whether each level can be cleared is the whole-game
// test's.
constexpr int LevelCount = 29;

TEST_F(Levels, TheChainUsesEveryKindOfObjectEachMapLitByOneSpot) {
  std::set<std::string> seen;
  for (int level = 0; level <= LevelCount; ++level) {
    const std::string name = "map" + std::to_string(level) + ".mn";
    SCOPED_TRACE(name);
    LoadLevelMap(device, name.c_str());
    ASSERT_STREQ(CurrentScene->currentMapName, name.c_str());
    EXPECT_EQ(DataInconsistent, 0);
    if (level > 0) {
      const std::string next = level == LevelCount ? "FINISH.mn" : "map" + std::to_string(level + 1) + ".mn";
      EXPECT_STREQ(CurrentScene->nextMapName, next.c_str());
    }
    if (CurrentScene->CountShownBalls() >= 2) seen.insert("several balls");
    const Vec3 eye = CurrentScene->cameraPosition;
    if (eye.x != 0.0f || eye.y != 25.0f || eye.z != -10.0f) seen.insert("camera");
    int spots = 0, otherLights = 0;
    for (GameObject* o = CurrentScene->firstObject; o; o = o->next) {
      const std::string direction = std::to_string(o->direction);
      EXPECT_EQ(o->meshLoaded, o->TypeIs("LIGHT") || o->TypeIs("wall") ? 0 : 1) << o->type;
      if (o->TypeIs("LIGHT")) ++(o->lightKind == SpotLight ? spots : otherLights);
      if (o->TypeIs("goal") || o->TypeIs("wall")) seen.insert(o->type);
      if (o->TypeIs("spike")) seen.insert("spike " + direction);
      if (o->TypeIs("trigger")) seen.insert(o->mode ? "group trigger" : "trigger");
      if (o->TypeContains("door")) seen.insert("door " + direction);
      if (o->TypeIs("LIGHT")) seen.insert("light " + std::to_string(o->lightKind));
      // An exit: a warp that another warp names.
      for (GameObject* w = CurrentScene->firstObject; o->TypeContains("warp") && w; w = w->next)
        if (w != o && w->TypeContains("warp") && std::strcmp(w->target, o->type) == 0) seen.insert("exit " + direction);
    }
    EXPECT_EQ(spots, 1);
    EXPECT_EQ(otherLights, 0);
  }
  for (const char* kind : {"several balls", "camera", "goal", "wall", "spike 0", "spike 2", "trigger",
                           "group trigger", "door 5", "door 3", "light 1", "exit 0",
                           "exit 2", "exit 3", "exit 5"})
    EXPECT_TRUE(seen.count(kind)) << kind;
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

}  // namespace
