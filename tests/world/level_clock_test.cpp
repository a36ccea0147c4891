#include "tests/world/world_test_support.h"

class LevelClockTest : public ::testing::Test {
 protected:
  void TearDown() override {
    delete CurrentLevelClock;
    CurrentLevelClock = nullptr;
    TimeUp = 0;
  }
};

TEST_F(LevelClockTest, StartReplacesTheClockAndClearsTimeUp) {
  SetNowMs(12500.0);
  TimeUp = 1;
  StartLevelClock();
  ASSERT_NE(CurrentLevelClock, nullptr);
  EXPECT_EQ(TimeUp, 0);
  CurrentLevelClock->secondsLeft = 3;
  CurrentLevelClock->objects = new GameObject("num", 0);  // freed with the old clock
  SetNowMs(20000.0);
  StartLevelClock();
  EXPECT_EQ(CurrentLevelClock->secondsLeft, 100);
  EXPECT_EQ(CurrentLevelClock->lastSecondTime, 20000.0f);
}

TEST_F(LevelClockTest, OneSecondGoesPerTickStrictlyAfterASecondUntilTimeIsUp) {
  CountDownLevelClock(1e6f);  // no clock: nothing happens
  EXPECT_EQ(TimeUp, 0);
  SetNowMs(12500.0);
  StartLevelClock();
  CurrentLevelClock->secondsLeft = 3;
  CountDownLevelClock(13500.0f);  // exactly 1000 ms: not yet
  EXPECT_EQ(CurrentLevelClock->secondsLeft, 3);
  CountDownLevelClock(13501.0f);
  CountDownLevelClock(16000.0f);  // a long gap still costs one second
  EXPECT_EQ(CurrentLevelClock->secondsLeft, 1);
  EXPECT_EQ(CurrentLevelClock->lastSecondTime, 16000.0f);
  EXPECT_EQ(TimeUp, 0);
  CountDownLevelClock(17001.0f);
  EXPECT_EQ(TimeUp, 1);
}
