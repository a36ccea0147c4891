#include "tests/world/world_test_support.h"

class LevelClockTest : public ::testing::Test {
 protected:
  void TearDown() override {
    delete CurrentLevelClock;
    CurrentLevelClock = nullptr;
    TimeUp = 0;
  }
};

// A start replaces the clock with a full one; a second goes per tick strictly
// after a second, whatever the gap, until time is up.
TEST_F(LevelClockTest, StartsFullAndLosesOneSecondPerTickStrictlyAfterASecond) {
  CountDownLevelClock(1e6f);  // no clock: nothing happens
  EXPECT_EQ(TimeUp, 0);
  SetNowMs(2000.0);
  StartLevelClock();
  CurrentLevelClock->objects = new GameObject("num", 0);  // freed with the old clock
  TimeUp = 1;
  SetNowMs(12500.0);
  StartLevelClock();
  EXPECT_EQ(TimeUp, 0);
  EXPECT_EQ(CurrentLevelClock->secondsLeft, 100);
  CurrentLevelClock->secondsLeft = 3;
  CountDownLevelClock(13500.0f);  // exactly 1000 ms: not yet
  EXPECT_EQ(CurrentLevelClock->secondsLeft, 3);
  CountDownLevelClock(13501.0f);
  CountDownLevelClock(16000.0f);  // a long gap still costs one second
  EXPECT_EQ(CurrentLevelClock->secondsLeft, 1);
  CountDownLevelClock(17000.0f);  // timed from the last second taken
  EXPECT_EQ(TimeUp, 0);
  CountDownLevelClock(17001.0f);
  EXPECT_EQ(TimeUp, 1);
}
