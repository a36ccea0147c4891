#include <cmath>

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

TEST_F(TiltTest, EachKeyTiltsItsAxisUpToTheLimit) {
  struct Case {
    TiltKey key;
    f32 x, z;
  } cases[] = {{TiltLeft, 0.3f, 0}, {TiltRight, -0.3f, 0}, {TiltDown, 0, 0.3f}, {TiltUp, 0, -0.3f}};
  for (const Case& c : cases) {
    board->rotation = {0, 0, 0};
    TiltKeys[c.key] = 1;
    Tick(14);
    EXPECT_LT(std::fabs(board->rotation.x) + std::fabs(board->rotation.z), 0.3f) << c.key;
    Tick(10);
    EXPECT_EQ(board->rotation.x, c.x) << c.key;
    EXPECT_EQ(board->rotation.z, c.z) << c.key;
    TiltKeys[c.key] = 0;
  }
}

TEST_F(TiltTest, OppositeKeysCancelUnlessTheLimitCutsOne) {
  TiltKeys[TiltLeft] = TiltKeys[TiltRight] = 1;
  TiltKeys[TiltUp] = TiltKeys[TiltDown] = 1;
  board->rotation = {0.1f, 0, 0.1f};
  Tick(3);
  EXPECT_NEAR(board->rotation.x, 0.1f, 1e-6f);
  EXPECT_NEAR(board->rotation.z, 0.1f, 1e-6f);

  // Right and Up step first: cut at -0.3, the other key then lifts the tilt.
  board->rotation = {-0.3f, 0, -0.3f};
  Tick(5);
  EXPECT_NEAR(board->rotation.x, -0.28f, 1e-6f);
  EXPECT_NEAR(board->rotation.z, -0.28f, 1e-6f);
}

TEST_F(TiltTest, WithoutABoardNothingTilts) {
  board->type[0] = '\0';
  TiltKeys[TiltLeft] = 1;
  Tick();
  TiltPlatformZ(0.1f);
  EXPECT_EQ(board->rotation.x, 0.0f);
  EXPECT_EQ(board->rotation.z, 0.0f);
  delete CurrentScene;
  CurrentScene = nullptr;
  Tick();  // no Scene at all: no effect, no crash
}
