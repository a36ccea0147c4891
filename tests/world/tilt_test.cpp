#include "tests/world/world_test_support.h"
#include "world/tilt.h"

class TiltTest : public WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    board = AddBoard();
  }
  void TearDown() override {
    for (u8& key : TiltKeys) key = 0;
    WorldTest::TearDown();
  }
  void Tick(int ticks = 1) {
    for (int i = 0; i < ticks; ++i) ApplyTiltKeys();
  }
  GameObject* board = nullptr;
};

TEST_F(TiltTest, OneKeyReachesTheLimitInFifteenTicksAndStops) {
  TiltKeys[TiltLeft] = 1;
  Tick(14);
  EXPECT_LT(board->rotation.x, 0.3f);
  Tick();
  EXPECT_NEAR(board->rotation.x, 0.3f, 1e-6f);
  Tick(5);
  EXPECT_EQ(board->rotation.x, 0.3f);
  EXPECT_EQ(board->rotation.z, 0.0f);

  TiltKeys[TiltLeft] = 0;
  TiltKeys[TiltDown] = 1;
  Tick(20);
  EXPECT_EQ(board->rotation.z, 0.3f);
  TiltKeys[TiltDown] = 0;
  TiltKeys[TiltUp] = 1;
  Tick(40);
  EXPECT_EQ(board->rotation.z, -0.3f);
  TiltKeys[TiltUp] = 0;
  TiltKeys[TiltRight] = 1;
  Tick(40);
  EXPECT_EQ(board->rotation.x, -0.3f);
}

TEST_F(TiltTest, StepIsCutAtTheLimit) {
  board->rotation.x = 0.29f;
  Tick();  // nothing held
  EXPECT_EQ(board->rotation.x, 0.29f);
  TiltKeys[TiltLeft] = 1;
  Tick();
  EXPECT_EQ(board->rotation.x, 0.3f);
}

TEST_F(TiltTest, OppositeKeysCancelUnlessTheLimitCutsOne) {
  TiltKeys[TiltLeft] = TiltKeys[TiltRight] = 1;
  TiltKeys[TiltUp] = TiltKeys[TiltDown] = 1;
  board->rotation.x = 0.1f;
  board->rotation.z = 0.1f;
  Tick(3);
  EXPECT_NEAR(board->rotation.x, 0.1f, 1e-6f);
  EXPECT_NEAR(board->rotation.z, 0.1f, 1e-6f);

  // Right and Up step first: cut at -0.3, the other key then lifts the tilt.
  board->rotation.x = -0.3f;
  board->rotation.z = -0.3f;
  Tick();
  EXPECT_NEAR(board->rotation.x, -0.28f, 1e-6f);
  EXPECT_NEAR(board->rotation.z, -0.28f, 1e-6f);
  Tick(5);
  EXPECT_NEAR(board->rotation.x, -0.28f, 1e-6f);
  EXPECT_NEAR(board->rotation.z, -0.28f, 1e-6f);

  // At +0.3 nothing is cut: Right brings it down, Left back up.
  board->rotation.x = 0.3f;
  Tick();
  EXPECT_NEAR(board->rotation.x, 0.3f, 1e-6f);
}

TEST_F(TiltTest, WithoutABoardNothingTilts) {
  delete CurrentScene;
  CurrentScene = new Scene;
  GameObject* notBoard = Add("maps", 1, 1, 0, 0);
  TiltKeys[TiltLeft] = 1;
  Tick();
  TiltPlatformZ(0.1f);
  EXPECT_EQ(notBoard->rotation.x, 0.0f);
  EXPECT_EQ(notBoard->rotation.z, 0.0f);

  delete CurrentScene;
  CurrentScene = nullptr;
  Tick();  // no Scene at all: no effect, no crash
  CurrentScene = new Scene;
}
