// The shipped levels: they chain to FINISH with every kind of object between
// them, and the tutorial map gives the tutorial's own tilts, at any pace, a
// trigger to reach and a door to move.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <set>
#include <string>

#include "files/map_reader.h"
#include "game/tutorial.h"
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

// The tutorial's own tilts each game tick, steps 2 to 4 (right, left, up while
// levelling) at a player's pace, then step 5's down until the door moves.
class TutorialMap : public Levels, public ::testing::WithParamInterface<std::array<int, 3>> {};

TEST_P(TutorialMap, StepFiveRollsTheBallOntoATrigger) {
  LoadLevelMap(device, "map0.mn");
  const GameObject* door = CurrentScene->FindByType("door");
  ASSERT_NE(door, nullptr);
  Tutorial tutorial{};
  auto run = [&](u32 step, int ticks) {
    for (tutorial.Step = step; ticks > 0 && !door->moving; --ticks) {
      tutorial.AutoTilt(CurrentScene, TiltLimit, TiltStep);
      SetClock(now + 0.011);
      StepBalls();
      StepLevelObjects();
    }
  };
  for (u32 step = 2; step <= 4; ++step) run(step, GetParam()[step - 2]);
  ASSERT_FALSE(door->moving);
  run(5, 2000);
  EXPECT_TRUE(door->moving);
}

INSTANTIATE_TEST_SUITE_P(Paces, TutorialMap,
                         ::testing::Values(std::array{0, 0, 0}, std::array{300, 300, 300}, std::array{40, 40, 40},
                                           std::array{300, 0, 0}, std::array{0, 300, 40}));

}  // namespace
