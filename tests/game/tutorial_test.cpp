// The tutorial's poses, its own tilt, the door watch and the step texts.
#include "game/tutorial.h"

#include <gtest/gtest.h>

#include <iterator>

namespace {

constexpr f32 L = 0.3f, Speed = 0.02f, Third = L * 0.33333334f;
using Pose = std::vector<f32>;  // the board's X and Z, the ball's x, y and z

struct TutorialTest : ::testing::Test {
  void SetUp() override {
    for (const char* type : {"map", "ball", "door"}) scene.AddObjectAt(type, 1, 1, 1, 0, 0, 0);
    board = scene.FindByType("map"), ball = scene.FindByType("ball");
    door = scene.FindByType("door");
  }
  void Set(const Pose& p) {
    board->rotation = {p[0], 0, p[1]};
    ball->position = {p[2], p[3], p[4]};
  }
  Pose Get() const {
    return {board->rotation.x, board->rotation.z, ball->position.x, ball->position.y,
            ball->position.z};
  }
  void Tilt(int steps) {
    for (int i = 0; i < steps; ++i) tutorial.AutoTilt(&scene, L, Speed);
  }
  Scene scene;
  GameObject *board, *ball, *door;
  Tutorial tutorial{};
};

TEST_F(TutorialTest, NextPosesTheBoardForTheNewStepAndEndsAfterTheLast) {
  // clang-format off
  const std::pair<u32, Pose> cases[] = {
      {1, {.2f, .1f, 1, 2, 3}}, {2, {.2f, 0, 1, 2, 3}}, {3, {.2f, 0, 1, 2, 3}},
      {6, {0, 0, 0, 2, 0}}, {8, {0, 0, 0, 2, 0}}, {14, {0, 0, 0, 2, 0}},
      {13, {0, Third, 1, 2, 3}}, {17, {.2f, .1f, 1, 2, 3}}, {18, {.2f, .1f, 1, 2, 3}}};
  // clang-format on
  for (const auto& [to, pose] : cases) {
    Set({.2f, .1f, 1, 2, 3});
    scene.tutorial = 1, tutorial.Step = to - 1;
    tutorial.NextStep(&scene, L, Speed);
    EXPECT_EQ(Get(), pose) << to;
    EXPECT_EQ(scene.tutorial, to < 18) << to;
  }
  for (i32 mode : {0, 1}) {  // step 10 closes only an open door
    door->mode = mode, tutorial.Step = 9;
    tutorial.NextStep(&scene, L, Speed);
    EXPECT_EQ(door->moving, mode);
  }
  Scene bare;  // no ball: Next only counts, and the tutorial never ends by it
  bare.AddObjectAt("map", 1, 1, 1, 0, 0, 0);
  bare.tutorial = 1, tutorial.Step = 17;
  tutorial.NextStep(&bare, L, Speed);
  EXPECT_EQ(tutorial.Step, 18u);
  EXPECT_EQ(bare.tutorial, 1);
}

TEST_F(TutorialTest, AutoTiltMovesByHalfTheSpeedAndStopsAtItsBounds) {
  // clang-format off
  const std::tuple<u32, Pose, Pose, Pose> cases[] = {  // start, after one step, after 100
      {2, {0, 0}, {-.01f, 0}, {-L, 0}}, {3, {-L, 0}, {-.29f, 0}, {L, 0}},
      {5, {0, 0}, {0, .01f}, {0, L}}, {6, {0, 0}, {.01f, .01f}, {L * .25f, Third}},
      {7, {0, 0}, {-.01f, -.01f}, {-Third, -.25f * L}}, {8, {.1f, .1f}, {.1f, .1f}, {.1f, .1f}}};
  // clang-format on
  for (const auto& [step, start, one, end] : cases) {
    tutorial.Step = step;
    Set({start[0], start[1], 1, 2, 3});
    Tilt(1);
    EXPECT_NEAR(board->rotation.x, one[0], 1e-6f) << step;
    EXPECT_NEAR(board->rotation.z, one[1], 1e-6f) << step;
    Tilt(100);
    EXPECT_EQ(Get(), (Pose{end[0], end[1], 1, 2, 3})) << step;
  }
  tutorial.Step = 4;  // the side tilt comes back to rest in [0, 0.01)
  Set({L, 0, 1, 2, 3});
  for (int i = 0; i < 100; ++i) {
    Tilt(1);
    ASSERT_GE(board->rotation.x, 0);
  }
  EXPECT_LT(board->rotation.x, .01f);
  EXPECT_EQ(board->rotation.z, -L);
}

TEST_F(TutorialTest, TheDoorMovingHoldsBoardAndBallAndShowsGoodJob) {
  for (u32 step : {5u, 13u}) {
    tutorial.Step = step, tutorial.StepDone = 0, door->moving = 1;
    for (int i = 0; i < 2; ++i) {  // held on every game step while it slides
      Set({.1f, .1f, 1, 2, 3});
      Tilt(1);
      EXPECT_EQ(Get(), (Pose{0, 0, 0, 0, 3})) << step;
    }
    door->moving = 0;
    Set({.1f, .1f, 1, 2, 3});
    Tilt(1);  // done: step 5 tilts no more
    EXPECT_EQ(Get(), (Pose{.1f, .1f, 1, 2, 3})) << step;
    EXPECT_STREQ(tutorial.StepText(), "Good job!");
    tutorial.Step = step + 1;
    tutorial.StepText();
    EXPECT_EQ(tutorial.StepDone, 0) << step;
  }
}

TEST_F(TutorialTest, StepsWithoutATextAndPastTheLastOne) {
  for (auto [step, text] :
       {std::pair{7u, ""}, {13u, ""}, {4000000000u, "Thank you for playing.\nHave FUN!"}}) {
    tutorial.Step = step;
    EXPECT_STREQ(tutorial.StepText(), text) << step;
  }
}

// Each step's own text, the door not moved yet.
TEST_F(TutorialTest, EveryStepShowsItsText) {
  const char* const texts[] = {
      "Welcome to Tumblox!\nYou're about to embark \n"  // 0
      "on a puzzle game like never before!\n(Push Next--->)",
      "The poor Orbels have been dislocated\nfrom their home!\n"  // 1
      "Please help bring them back safely.\nThe object of each level is to navigate \n"
      "each Orbel to its NEST by rolling it.",
      "Holding RIGHT (D) will move \nthe platform towards the right.\n"  // 2
      "This will make the Orbel Roll!",
      "Similarly, holding LEFT (A) will move \nthe platform towards the left.",  // 3
      "And UP (W)...",  // 4
      "And DOWN (S)...",  // 5
      "Mixing & Matching your controls\nto make the ORBEL ROLL in all \n"  // 6
      "kinds of directions",
      "",  // 7
      "That's all there is to it\nto making the ORBEL ROLL",  // 8
      "You control everything by\nsimply tilting the platform\n"  // 9
      "in the direction you want the\nobjects to roll",
      "Sometimes you will be able to \nROLL many objects at once!\n"  // 10
      "This is where the fun is....",
      "There are also triggers\nthat open doors, like the\none you see below.",  // 11
      "ROLL the ORBEL DOWN (D) to touch\nthe trigger to open the door.",  // 12
      "",  // 13
      "Triggers will open and close doors\nas long as you keep touching it\n"  // 14
      "So once the door opens, don't trigger\nanymore.",
      "Some doors require that all triggers\nbe activated at the same time",  // 15
      "You will encounter many challenging\nobstacles throughout the game.\n"  // 16
      "You'll have to use skills to make \nit through each level!",
      "Thank you for playing.\nHave FUN!",  // 17
  };
  static_assert(std::size(texts) == 18);
  for (u32 step = 0; step < 18; ++step) {
    tutorial.Step = step, tutorial.StepDone = 0;
    EXPECT_STREQ(tutorial.StepText(), texts[step]) << step;
  }
}

}  // namespace
