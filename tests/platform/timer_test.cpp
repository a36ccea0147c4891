#include <gtest/gtest.h>

#include "platform/dxut/timer.h"

TEST(Timer, StoppedClockHoldsAndAdvancesByHand) {
  CDXUTTimer t;
  t.Stop();
  t.SetTime(12.5);
  EXPECT_DOUBLE_EQ(t.GetTime(), 12.5);
  t.Advance(0.01);
  EXPECT_DOUBLE_EQ(t.GetTime(), 12.51);
}

TEST(Timer, RunningClockNeverGoesBack) {
  CDXUTTimer t;
  double a = t.GetTime();
  double b = t.GetTime();
  EXPECT_LE(a, b);
  t.Stop();
  double held = t.GetTime();
  t.Start();
  EXPECT_GE(t.GetTime(), held);
}
