// The tutorial's poses, its own tilt, the door watch and the step texts.
#include <gtest/gtest.h>

#include <string>

#include "game/tutorial.h"

namespace {

constexpr f32 Limit = 0.3f, Speed = 0.02f;

struct TutorialTest : ::testing::Test {
  void SetUp() override {
    scene.AddObjectAt("map", 10, 10, 1, 0, 0, 0);
    scene.AddObjectAt("ball", 1, 1, 1, 1, 2, 3);
    scene.AddObjectAt("door", 1, 1, 1, 5, 0, 5);
    board = scene.FindByType("map");
    ball = scene.FindByType("ball");
    door = scene.FindByType("door");
    scene.tutorial = 1;
    tutorial = {};
  }
  void Tilt(f32 x, f32 z) { board->rotation = {x, 0, z}; }
  void Steps(int n) {
    for (int i = 0; i < n; ++i) tutorial.AutoTilt(&scene, Limit, Speed);
  }
  Scene scene;
  GameObject *board = nullptr, *ball = nullptr, *door = nullptr;
  Tutorial tutorial{};
};

TEST_F(TutorialTest, NextPosesTheBoardAndBallForTheNewStep) {
  struct Case {
    u32 from;
    f32 x, z;           // the board's tilt after Next
    Vec3 ball;          // the ball's place after Next
    u8 tutorial;
  };
  const f32 third = Limit * 0.33333334f;
  const Case cases[] = {
      {0, 0.2f, 0.1f, {1, 2, 3}, 1},  {1, 0.2f, 0, {1, 2, 3}, 1},  {2, 0.2f, 0, {1, 2, 3}, 1},
      {5, 0, 0, {0, 2, 0}, 1},        {7, 0, 0, {0, 2, 0}, 1},     {13, 0, 0, {0, 2, 0}, 1},
      {12, 0, third, {1, 2, 3}, 1},   {8, 0.2f, 0.1f, {1, 2, 3}, 1},
      {16, 0.2f, 0.1f, {1, 2, 3}, 1}, {17, 0.2f, 0.1f, {1, 2, 3}, 0},
      {40, 0.2f, 0.1f, {1, 2, 3}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.from);
    Tilt(0.2f, 0.1f);
    ball->position = {1, 2, 3};
    scene.tutorial = 1;
    tutorial.Step = c.from;
    tutorial.NextStep(&scene, Limit, Speed);
    EXPECT_EQ(tutorial.Step, c.from + 1);
    EXPECT_EQ(board->rotation.x, c.x);
    EXPECT_EQ(board->rotation.z, c.z);
    EXPECT_EQ(ball->position.x, c.ball.x);
    EXPECT_EQ(ball->position.y, c.ball.y);
    EXPECT_EQ(ball->position.z, c.ball.z);
    EXPECT_EQ(scene.tutorial, c.tutorial);
  }
}

TEST_F(TutorialTest, StepTenClosesOnlyAnOpenDoor) {
  for (auto [mode, moving] : {std::pair{1, 1}, std::pair{0, 0}}) {
    door->mode = mode;
    door->moving = 0;
    tutorial.Step = 9;
    tutorial.NextStep(&scene, Limit, Speed);
    EXPECT_EQ(door->moving, moving) << mode;
  }
}

TEST_F(TutorialTest, WithoutBoardOrBallNextOnlyCounts) {
  for (const char* missing : {"map", "ball"}) {
    Scene bare;
    bare.AddObjectAt(std::string(missing) == "map" ? "ball" : "map", 1, 1, 1, 0, 0, 0);
    bare.tutorial = 1;
    Tutorial t{};
    t.Step = 17;
    t.NextStep(&bare, Limit, Speed);
    EXPECT_EQ(t.Step, 18u);
    EXPECT_EQ(bare.tutorial, 1) << missing;  // the tutorial never ends by Next
    t.Step = 2;
    GameObject* left = bare.firstObject;
    left->rotation = {0.1f, 0, 0.1f};
    t.AutoTilt(&bare, Limit, Speed);
    EXPECT_EQ(left->rotation.x, 0.1f);
  }
}

TEST_F(TutorialTest, AutoTiltMovesByHalfTheSpeedUpToItsBounds) {
  struct Case {
    u32 step;
    f32 x0, z0;
    int steps;
    f32 x, z;  // where the tilt stops and stays
  };
  const Case cases[] = {
      {2, 0, 0, 40, -Limit, 0},
      {3, -Limit, 0, 70, Limit, 0},
      {5, 0, 0, 40, 0, Limit},
      {6, 0, 0, 40, Limit * 0.25f, Limit * 0.33333334f},
      {7, 0, 0, 40, -0.33333334f * Limit, -0.25f * Limit},
      {8, 0.1f, 0.1f, 40, 0.1f, 0.1f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.step);
    tutorial.Step = c.step;
    Tilt(c.x0, c.z0);
    Steps(1);
    if (c.step != 8) {
      EXPECT_NE(board->rotation.x + board->rotation.z, c.x0 + c.z0);
    }
    Steps(c.steps);
    EXPECT_EQ(board->rotation.x, c.x);
    EXPECT_EQ(board->rotation.z, c.z);
  }
}

TEST_F(TutorialTest, StepTwoFallsOneHundredthAStep) {
  tutorial.Step = 2;
  Tilt(0, 0);
  Steps(1);
  EXPECT_FLOAT_EQ(board->rotation.x, -0.01f);
  Steps(10);
  EXPECT_NEAR(board->rotation.x, -0.11f, 1e-6f);
}

TEST_F(TutorialTest, StepFourBringsTheSideTiltBackWithoutGoingBelowZero) {
  tutorial.Step = 4;
  Tilt(Limit, 0);
  for (int i = 0; i < 100; ++i) {
    Steps(1);
    EXPECT_GE(board->rotation.x, 0.0f);
  }
  EXPECT_LT(board->rotation.x, 0.01f);
  EXPECT_EQ(board->rotation.z, -Limit);
}

TEST_F(TutorialTest, TheDoorMovingHoldsBoardAndBallAtStepsFiveAndThirteen) {
  for (u32 step : {5u, 13u}) {
    SCOPED_TRACE(step);
    tutorial.Step = step;
    tutorial.StepDone = 0;
    door->moving = 0;
    Tilt(0, 0.1f);
    ball->position = {1, 2, 3};
    Steps(1);
    EXPECT_EQ(tutorial.StepDone, 0);
    EXPECT_EQ(ball->position.x, 1);

    door->moving = 1;
    Steps(1);
    EXPECT_EQ(tutorial.StepDone, 1);
    EXPECT_EQ(board->rotation.x, 0);
    EXPECT_EQ(board->rotation.z, 0);
    EXPECT_EQ(ball->position.x, 0);
    EXPECT_EQ(ball->position.y, 0);
    EXPECT_EQ(ball->position.z, 3);

    // Held on every step while the door slides; once done, step 5 tilts no more.
    Tilt(0.1f, 0.1f);
    ball->position = {1, 2, 3};
    Steps(1);
    EXPECT_EQ(board->rotation.z, 0);
    EXPECT_EQ(ball->position.x, 0);
    door->moving = 0;
    Steps(1);
    EXPECT_EQ(board->rotation.z, 0);
  }
}

TEST_F(TutorialTest, TextsFollowTheStepAndTheDoor) {
  struct Case {
    u32 step;
    u8 done;
    const char* text;
    u8 doneAfter;
  };
  const Case cases[] = {
      {0, 0, "Welcome to Tumblox!\nYou're about to embark \non a puzzle game like never "
             "before!\n(Push Next--->)", 0},
      {4, 0, "And UP (W)...", 0},
      {5, 0, "And DOWN (S)...", 0},
      {5, 1, "Good job!", 1},
      {6, 1, "Mixing & Matching your controls\nto make the ORBEL ROLL in all \nkinds of "
             "directions", 0},
      {7, 0, "", 0},
      {12, 0, "ROLL the ORBEL DOWN (D) to touch\nthe trigger to open the door.", 0},
      {13, 0, "", 0},
      {13, 1, "Good job!", 1},
      {14, 1, "Triggers will open and close doors\nas long as you keep touching it\nSo once "
              "the door opens, don't trigger\nanymore.", 0},
      {16, 0, "You will encounter many challenging\nobstacles throughout the game.\nYou'll "
              "have to use skills to make \nit through each level!", 0},
      {17, 0, "Thank you for playing.\nHave FUN!", 0},
      {18, 1, "Thank you for playing.\nHave FUN!", 1},
      {4000000000u, 0, "Thank you for playing.\nHave FUN!", 0},
  };
  for (const Case& c : cases) {
    tutorial.Step = c.step;
    tutorial.StepDone = c.done;
    EXPECT_STREQ(tutorial.StepText(), c.text) << c.step;
    EXPECT_EQ(tutorial.StepDone, c.doneAfter) << c.step;
  }
}

}  // namespace
