#include <gtest/gtest.h>

#include <string>

#include "world/game_object.h"
#include "world/text_copy.h"

TEST(TextCopy, EveryCopyIsCutToItsFieldAndTerminated) {
  char field[8];
  CopyText(field, "abcdefghijk");
  EXPECT_STREQ(field, "abcdefg");
  CopyText(field, nullptr);
  EXPECT_STREQ(field, "");
  GameObject o(std::string(400, 'w').c_str(), 0);
  EXPECT_EQ(std::string(o.type), std::string(259, 'w'));
}

TEST(GameObject, KindsByTypeAndName) {
  struct Case {
    const char* type;
    const char* name;
    bool ball;
  } cases[] = {{"ball", "", false},    {"ball", "red", true},    {"ball", "red_", false},
               {"ball", "_red", true}, {"bigball", "b", true},   {"goal", "b", false}};
  for (const Case& c : cases) {
    GameObject o(c.type, 0);
    CopyText(o.name, c.name);
    EXPECT_EQ(o.IsBall(), c.ball) << c.type << " " << c.name;
  }
  EXPECT_TRUE(GameObject("redwarp2", 0).TypeContains("warp"));
  EXPECT_FALSE(GameObject("Door", 0).TypeContains("door"));
  EXPECT_TRUE(GameObject("", 0).TypeContains(""));
  EXPECT_FALSE(GameObject("map2", 0).TypeIs("map"));
  for (const char* kind : {"map", "skybox", "cleared", "num", "tryagain", "quit", "LIGHT"})
    EXPECT_TRUE(GameObject(kind, 0).IsScenery()) << kind;
  for (const char* kind : {"title", "light", "maps"}) EXPECT_FALSE(GameObject(kind, 0).IsScenery()) << kind;
}

TEST(GameObject, OrientationBySpikesDoorsAndWarps) {
  struct Case {
    const char* type;
    char letter;
    i32 direction;
    f32 spin;  // a spike laid along z is turned a quarter
  } cases[] = {{"spike", 'z', DirectionMinusZ, 1.5707964f}, {"spike", 'Z', DirectionPlusZ, 1.5707964f},
               {"spike", 'X', DirectionPlusX, 0},           {"spike", 'q', NoDirection, 0},
               {"bluewarp", 'z', DirectionMinusZ, 0},       {"door", 'x', DirectionMinusX, 0},
               {"door", 'Y', DirectionPlusY, 0},            {"door", 'y', DirectionMinusY, 0},
               {"goal", 'X', NoDirection, 0},               {"bigspike", 'Z', NoDirection, 0}};
  for (const Case& c : cases) {
    GameObject o(c.type, 0);
    o.SetOrientation(c.letter);
    EXPECT_EQ(o.direction, c.direction) << c.type << c.letter;
    EXPECT_EQ(o.spin.y, c.spin) << c.type << c.letter;
  }
}

TEST(GameObject, SpinAndBobRisesUntilHalfThePeriodIsLeft) {
  GameObject warp("warp", 0);
  warp.nextActiveTime = 10000.0f;
  warp.SpinAndBob(9000);  // exactly half the period before: still rises
  EXPECT_FLOAT_EQ(warp.position.y, 0.01f);
  warp.SpinAndBob(9001);
  EXPECT_FLOAT_EQ(warp.position.y, 0.0f);
}
