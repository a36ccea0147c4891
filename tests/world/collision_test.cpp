#include <string>

#include "tests/world/world_test_support.h"

using CollisionTest = WorldTest;

TEST_F(CollisionTest, EdgesTouchAndHeightIsIgnored) {
  GameObject* ball = AddBall("b", -5, 0);
  AddWall(1.0f, 1.0f, 0.8f, 0.0f)->position.y = 50.0f;  // x 0.8..1.8, z -1..0
  EXPECT_FALSE(scene().MoveObject(ball, 0.0f, 0.0f, 0.0f));  // right edge on the wall's left
  EXPECT_EQ(ball->position.x, -5.0f);
  EXPECT_TRUE(scene().MoveObject(ball, -0.0001f, 0.0f, 0.0f));
  EXPECT_EQ(ball->position.x, -0.0001f);

  // Corners: the ball's box z -0.8..0 meets the wall's top edge z 0 at 0.8.
  EXPECT_FALSE(scene().MoveObject(ball, 1.8f, 0.0f, 0.8f));
  EXPECT_TRUE(scene().MoveObject(ball, 1.8f, 0.0f, 0.81f));
  EXPECT_FALSE(scene().MoveObject(ball, 1.8f, 0.0f, 0.0f));
  EXPECT_TRUE(scene().MoveObject(ball, 1.81f, 0.0f, 0.0f));
  EXPECT_FALSE(scene().MoveObject(ball, 0.0f, 0.0f, -1.0f));
  EXPECT_TRUE(scene().MoveObject(ball, 0.0f, 0.0f, -1.01f));

  AddWall(10.0f, 10.0f, 20.0f, 0.0f);  // a small piece wholly inside a large obstacle
  EXPECT_FALSE(scene().MoveObject(ball, 24.0f, 0.0f, -4.0f));
}

TEST_F(CollisionTest, WhatStandsInTheWay) {
  GameObject* ball = AddBall("b", -5, 0);
  Add("map", 50, 50, -25, 25);            // scenery
  AddBall("twin_", 0, 0)->shown = 0;      // hidden
  Add("goal", 1, 1, 0, 0)->captured = 1;  // flags count whatever the kind
  Add("door1", 1, 1, 0, 0)->arrived = 1;  // a door whose slide just ended
  GameObject* home = AddBall("home", 0, 0);
  home->arrived = 1;
  EXPECT_TRUE(scene().MoveObject(ball, 0.0f, 0.0f, 0.0f));

  GameObject* title = Add("title", 1, 1, 0, 0);  // not scenery while shown
  EXPECT_FALSE(scene().MoveObject(ball, 0.0f, 0.0f, 0.0f));
  title->shown = 0;
  home->arrived = 0;
  EXPECT_FALSE(scene().MoveObject(ball, 0.0f, 0.0f, 0.0f));
}

TEST_F(CollisionTest, GoalsCaptureBallsAndOnlyTheFirstObstacleActs) {
  GameObject* ball = AddBall("b", -1, 0);
  GameObject* goal = Add("goal", 1, 1, 0, 0);
  EXPECT_FALSE(scene().MoveObject(ball, -0.5f, 0.0f, 0.0f));
  EXPECT_EQ(ball->position.x, -1.0f);
  EXPECT_EQ(ball->captureGoal, goal);
  GameObject* spike = Add("spike", 0.5f, 0.5f, -1, 3);
  EXPECT_FALSE(scene().MoveObject(spike, 0.0f, 0.0f, 0.0f));
  EXPECT_EQ(spike->captured, 0);

  GameObject* other = AddBall("c", 8, 0);
  AddWall(1, 1, 10, 0);
  Add("goal", 1, 1, 10, 0);  // behind the wall in list order
  EXPECT_FALSE(scene().MoveObject(other, 9.5f, 0.0f, 0.0f));
  EXPECT_EQ(other->captured, 0);
}

TEST_F(CollisionTest, SpikesPopBallsFromBothSides) {
  GameObject* spike = Add("spike", 0.5f, 0.5f, 0, 0);
  GameObject* ball = AddBall("b", -2, 0);
  EXPECT_FALSE(scene().MoveObject(ball, -0.5f, 0.0f, 0.0f));  // ball into spike
  EXPECT_EQ(ball->shown, 0);
  EXPECT_EQ(ball->hit, 1);

  GameObject* victim = AddBall("v", 3, 0);
  EXPECT_FALSE(scene().MoveObject(spike, 2.5f, 0.0f, 0.0f));  // spike into ball
  EXPECT_EQ(victim->shown, 0);
  EXPECT_EQ(victim->hit, 1);
  EXPECT_EQ(spike->position.x, 0.0f);

  // Only exactly "spike" pops; a nameless ball is no real ball.
  Add("spikes", 0.5f, 0.5f, 10, 0);
  GameObject* safe = AddBall("s", 9, 0);
  scene().MoveObject(safe, 9.9f, 0.0f, 0.0f);
  EXPECT_EQ(safe->shown, 1);
  GameObject* nameless = AddBall("", 20, 0);
  Add("spike", 0.5f, 0.5f, 21, 0);
  scene().MoveObject(nameless, 20.5f, 0.0f, 0.0f);
  EXPECT_EQ(nameless->shown, 1);
}

TEST_F(CollisionTest, PlainTriggersOpenOnEveryPressGroupTriggersAreOnlyMarked) {
  GameObject* ball = AddBall("b", -2, 0);
  GameObject* trigger = Add("trigger", 1, 1, 0, 0);
  CopyText(trigger->target, "door1");
  GameObject* door = Add("door1", 1, 1, 5, 5);
  GameObject* otherDoor = Add("door2", 1, 1, 8, 5);
  scene().MoveObject(ball, -0.5f, 0.0f, 0.0f);
  scene().MoveObject(ball, -0.5f, 0.0f, 0.0f);
  EXPECT_EQ(door->moving, 1);
  EXPECT_EQ(otherDoor->moving, 0);
  EXPECT_EQ(trigger->hit, 0);

  // Only balls and spikes press.
  door->moving = 0;
  scene().MoveObject(Add("crate", 0.5f, 0.5f, -2, -3), 0.0f, 0.0f, 0.0f);
  EXPECT_EQ(door->moving, 0);
  scene().MoveObject(Add("spike", 0.5f, 0.5f, -2, -5), 0.0f, 0.0f, 0.0f);
  EXPECT_EQ(door->moving, 1);

  door->moving = 0;
  trigger->mode = 1;
  scene().MoveObject(ball, -0.5f, 0.0f, 0.0f);
  EXPECT_EQ(trigger->hit, 1);
  EXPECT_EQ(door->moving, 0);
}

TEST_F(CollisionTest, AWarpEntryFiresOnceCooledDownAndNeverToItself) {
  SetNowMs(5000.0);
  Add("warpC", 1, 1, 20, 0);
  GameObject* ball = AddBall("b", -2, 0);
  GameObject* warp = Add("warpA", 1, 1, 0, 0);
  CopyText(warp->target, "warpB");
  Add("warpB", 1, 1, 10, 0);
  auto enter = [&] { return scene().MoveObject(ball, -0.5f, 0.0f, 0.0f); };
  warp->nextActiveTime = 5000.0f;
  EXPECT_FALSE(enter());
  EXPECT_EQ(warp->hit, 0);
  SetNowMs(5001.0);  // strictly after its cool-down
  EXPECT_FALSE(enter());  // the warp blocks like any obstacle
  EXPECT_EQ(warp->hit, 1);
  EXPECT_STREQ(warp->enteredBallName, "b");

  warp->hit = 0;  // an over-long piece name is cut to the field
  CopyText(ball->name, std::string(200, 'n').c_str());
  enter();
  EXPECT_EQ(std::string(warp->enteredBallName), std::string(sizeof warp->enteredBallName - 1, 'n'));

  warp->hit = 0;  // a missing exit still fires, a warp to itself never
  CopyText(warp->target, "nowhere");
  enter();
  EXPECT_EQ(warp->hit, 1);
  warp->hit = 0;
  CopyText(warp->target, "warpA");
  enter();
  EXPECT_EQ(warp->hit, 0);
  CopyText(warp->type, "warpC");  // an earlier warp of its own type is its exit
  CopyText(warp->target, "warpC");
  enter();
  EXPECT_EQ(warp->hit, 1);
}
