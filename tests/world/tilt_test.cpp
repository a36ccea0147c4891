#include "tests/world/world_test_support.h"
#include "world/tilt.h"

class TiltTest : public WorldTest {
 protected:
  void TearDown() override {
    for (u8& key : TiltKeys) key = 0;
    WorldTest::TearDown();
  }
  void Tick(int ticks) {
    for (int i = 0; i < ticks; ++i) ApplyTiltKeys();
  }
};

TEST_F(TiltTest, EachKeyTiltsItsAxisUpToTheLimit) {
  GameObject* board = AddBoard();
  struct Case {
    TiltKey key;
    f32 x, z;
  } cases[] = {{TiltLeft, 0.3f, 0}, {TiltRight, -0.3f, 0}, {TiltDown, 0, 0.3f}, {TiltUp, 0, -0.3f}};
  for (const Case& c : cases) {
    board->rotation = {0, 0, 0};
    TiltKeys[c.key] = 1;
    Tick(14);
    EXPECT_NEAR(board->rotation.x + board->rotation.z, (c.x + c.z) * 14 / 15, 1e-6f) << c.key;
    Tick(10);
    EXPECT_EQ(board->rotation.x, c.x) << c.key;
    EXPECT_EQ(board->rotation.z, c.z) << c.key;
    TiltKeys[c.key] = 0;
  }

  // Opposite keys cancel, unless the limit cuts the one that steps first
  // (Right and Up): the other then lifts the tilt off the limit.
  for (u8& key : TiltKeys) key = 1;
  board->rotation = {0.1f, 0, 0.1f};
  Tick(3);
  EXPECT_NEAR(board->rotation.x, 0.1f, 1e-6f);
  EXPECT_NEAR(board->rotation.z, 0.1f, 1e-6f);
  board->rotation = {-0.3f, 0, -0.3f};
  Tick(5);
  EXPECT_NEAR(board->rotation.x, -0.28f, 1e-6f);
  EXPECT_NEAR(board->rotation.z, -0.28f, 1e-6f);
}

TEST_F(TiltTest, WithoutABoardNothingTilts) {
  GameObject* notBoard = Add("maps", 1, 1, 0, 0);
  TiltKeys[TiltLeft] = 1;
  Tick(1);
  TiltPlatformZ(0.1f);
  EXPECT_EQ(notBoard->rotation.x, 0.0f);
  EXPECT_EQ(notBoard->rotation.z, 0.0f);
  delete CurrentScene;
  CurrentScene = nullptr;
  Tick(1);  // no Scene at all: no effect, no crash
}
