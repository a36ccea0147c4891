#include <gtest/gtest.h>

#include <string>

#include "world/game_object.h"
#include "world/text_copy.h"

TEST(GameObject, ConstructionSetsTheRecordUp) {
  GameObject o("door7", 4, 2.0f, 1.0f, 3.0f, 1.5f, 0.5f, -2.0f);
  EXPECT_STREQ(o.type, "door7");
  EXPECT_EQ(o.index, 4u);
  EXPECT_EQ(o.period, 2000);
  EXPECT_EQ(o.shown, 1);
  EXPECT_EQ(o.direction, NoDirection);
  EXPECT_STREQ(o.name, "");
  EXPECT_EQ(o.next, nullptr);
  EXPECT_EQ(o.position.z, -2.0f);
  EXPECT_EQ(o.startPosition.x, 1.5f);
  EXPECT_EQ(o.startPosition.z, -2.0f);
  EXPECT_EQ(o.length, 2.0f);
  EXPECT_EQ(o.width, 1.0f);
  EXPECT_EQ(o.height, 3.0f);
}

TEST(GameObject, OverlongTypeIsCutToItsField) {
  std::string longType(400, 'w');
  GameObject o(longType.c_str(), 0);
  EXPECT_EQ(std::string(o.type), std::string(259, 'w'));
}

TEST(TextCopy, CutsToTheFieldAndTerminates) {
  char field[8];
  CopyText(field, "abcdefghijk");
  EXPECT_STREQ(field, "abcdefg");
  CopyText(field, "abc");
  EXPECT_STREQ(field, "abc");
  CopyText(field, nullptr);
  EXPECT_STREQ(field, "");
}

TEST(GameObject, RealBallsHaveANameNotEndingInUnderscore) {
  GameObject ball("ball", 0);
  EXPECT_FALSE(ball.IsBall());  // nameless
  CopyText(ball.name, "red");
  EXPECT_TRUE(ball.IsBall());
  CopyText(ball.name, "red_");
  EXPECT_FALSE(ball.IsBall());  // broken twin
  CopyText(ball.name, "_red");
  EXPECT_TRUE(ball.IsBall());
  ball.shown = 0;
  EXPECT_TRUE(ball.IsBall());  // popped or not

  GameObject big("bigball", 1);
  CopyText(big.name, "b");
  EXPECT_TRUE(big.IsBall());
  GameObject goal("goal", 2);
  CopyText(goal.name, "b");
  EXPECT_FALSE(goal.IsBall());
}

TEST(GameObject, TypeContainsIsByteWiseAndCaseSensitive) {
  EXPECT_TRUE(GameObject("warp", 0).TypeContains("warp"));
  EXPECT_TRUE(GameObject("redwarp2", 0).TypeContains("warp"));
  EXPECT_TRUE(GameObject("door", 0).TypeContains("door"));
  EXPECT_TRUE(GameObject("bigdoor", 0).TypeContains("door"));
  EXPECT_FALSE(GameObject("war", 0).TypeContains("warp"));
  EXPECT_FALSE(GameObject("wa rp", 0).TypeContains("warp"));
  EXPECT_FALSE(GameObject("Door", 0).TypeContains("door"));
  EXPECT_TRUE(GameObject("goal", 0).TypeContains(""));
  EXPECT_TRUE(GameObject("", 0).TypeContains(""));
  EXPECT_FALSE(GameObject("", 0).TypeContains("a"));
  EXPECT_TRUE(GameObject("map", 0).TypeIs("map"));
  EXPECT_FALSE(GameObject("map2", 0).TypeIs("map"));
}

TEST(GameObject, SceneryKinds) {
  for (const char* kind : {"map", "skybox", "cleared", "num", "tryagain", "quit", "LIGHT"})
    EXPECT_TRUE(GameObject(kind, 0).IsScenery()) << kind;
  for (const char* kind : {"title", "wall", "light", "maps", "ball"})
    EXPECT_FALSE(GameObject(kind, 0).IsScenery()) << kind;
}

TEST(GameObject, OrientationBySpikesDoorsAndWarps) {
  GameObject spike("spike", 0);
  spike.SetOrientation('z');
  EXPECT_EQ(spike.direction, DirectionMinusZ);
  EXPECT_FLOAT_EQ(spike.spin.y, 1.5707964f);
  spike.SetOrientation('q');  // unknown letters change nothing
  EXPECT_EQ(spike.direction, DirectionMinusZ);
  EXPECT_FLOAT_EQ(spike.spin.y, 1.5707964f);

  GameObject xSpike("spike", 0);
  xSpike.SetOrientation('X');
  EXPECT_EQ(xSpike.direction, DirectionPlusX);
  EXPECT_EQ(xSpike.spin.y, 0.0f);

  GameObject warp("bluewarp", 0);
  warp.SetOrientation('z');
  EXPECT_EQ(warp.direction, DirectionMinusZ);
  EXPECT_EQ(warp.spin.y, 0.0f);

  const char letters[] = "XYZxyz";
  for (i32 code = 0; code < 6; ++code) {
    GameObject door("door", 0);
    door.SetOrientation(letters[code]);
    EXPECT_EQ(door.direction, code);
  }

  GameObject goal("goal", 0);
  goal.SetOrientation('X');
  EXPECT_EQ(goal.direction, NoDirection);
  GameObject bigSpike("bigspike", 0);  // only exactly "spike" takes a direction
  bigSpike.SetOrientation('Z');
  EXPECT_EQ(bigSpike.direction, NoDirection);
}

TEST(GameObject, WobbleRocksBetweenItsBounds) {
  GameObject ball("ball", 0);
  int rising = 0;
  while (ball.mode == 0) {
    ball.Wobble();
    ++rising;
  }
  EXPECT_GE(ball.spin.x, 0.3f);
  EXPECT_LT(ball.spin.x, 0.3025f);
  EXPECT_NEAR(rising, 120, 1);
  while (ball.mode == 1) ball.Wobble();
  EXPECT_LE(ball.spin.x, -0.3f);
  EXPECT_GT(ball.spin.x, -0.3025f);
}

TEST(GameObject, SpinAndBobRisesThenSinks) {
  GameObject warp("warp", 0);
  warp.nextActiveTime = 10000.0f;
  warp.SpinAndBob(8500);  // 1500 before the end: rises
  EXPECT_FLOAT_EQ(warp.position.y, 0.01f);
  warp.SpinAndBob(9000);  // exactly half the period before: still rises
  EXPECT_FLOAT_EQ(warp.position.y, 0.02f);
  warp.SpinAndBob(9001);  // 999 before: sinks
  EXPECT_FLOAT_EQ(warp.position.y, 0.01f);
  EXPECT_FLOAT_EQ(warp.spin.y, 0.075f);
}

TEST(GameObject, CapturedBallSlidesOntoTheGoalCorner) {
  GameObject goal("goal", 0, 1.0f, 1.0f, 1.0f, 2.0f, 0.0f, 3.0f);
  GameObject ball("ball", 1, 0.8f, 0.8f, 1.0f, 2.1f, 0.7f, 3.0f);
  ball.captureGoal = &goal;
  ball.spin.x = 1.0f;
  const f32 step = 0.08f * 0.33333334f;

  ball.MoveTowardTarget(0.08f);
  EXPECT_FLOAT_EQ(ball.position.x, 2.1f - step);
  EXPECT_EQ(ball.position.z, 3.0f);  // equal axis stays
  EXPECT_EQ(ball.arrived, 0);
  EXPECT_EQ(ball.spin.x, 1.0f);

  ball.MoveTowardTarget(0.08f);
  EXPECT_FLOAT_EQ(ball.position.x, 2.1f - 2 * step);
  EXPECT_EQ(ball.arrived, 1);
  EXPECT_EQ(ball.spin.x, 0.0f);
  EXPECT_EQ(ball.position.y, 0.7f);  // y is never pulled
}

TEST(GameObject, SlideMovesBothAxesAndIgnoresHeight) {
  GameObject door("door", 0, 2.0f, 1.0f, 1.0f, 0.0f, 0.0f, 0.0f);
  door.MoveTowardPoint(0.0f, 5.0f, 0.0f, 0.08f);
  EXPECT_EQ(door.arrived, 1);  // only y differs: there already
  EXPECT_EQ(door.position.x, 0.0f);
  EXPECT_EQ(door.position.y, 0.0f);

  door.MoveTowardPoint(1.0f, 0.0f, -1.0f, 0.08f);
  EXPECT_FLOAT_EQ(door.position.x, 0.08f * 0.33333334f);
  EXPECT_FLOAT_EQ(door.position.z, -0.08f * 0.33333334f);
  EXPECT_EQ(door.arrived, 0);  // written on every call
}
