// The framework's flags as the command line gives them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/dxut/command_line.h"

using ::testing::ElementsAre;

TEST(DXUTCommandLine, ReadsEveryFlagWithoutRegardToCase) {
  const DXUTCommandLine c = ParseDXUTCommandLine(
      {"-Adapter:0", "-WINDOWED", "-forceRef", "-forceswvp", "-width:800", "-height:600",
       "-startx:10", "-starty:-20", "-constantframetime:0.01", "-quitafterframe:5",
       "/noerrormsgboxes"});
  EXPECT_TRUE(c.unrecognized.empty());
  EXPECT_EQ(c.adapter, 0u);
  EXPECT_EQ(c.windowed, true);
  EXPECT_EQ(c.deviceType, D3DDEVTYPE_REF);
  EXPECT_EQ(c.behaviorFlags, DWORD(D3DCREATE_SOFTWARE_VERTEXPROCESSING));
  EXPECT_EQ(c.width, 800);
  EXPECT_EQ(c.height, 600);
  EXPECT_EQ(c.startX, 10);
  EXPECT_EQ(c.startY, -20);
  EXPECT_EQ(c.constantFrameTime, 0.01);
  EXPECT_EQ(c.quitAfterFrame, 5);
  EXPECT_TRUE(c.noErrorMsgBoxes);
}

TEST(DXUTCommandLine, TheLastOfTwoContraryFlagsHolds) {
  const DXUTCommandLine c =
      ParseDXUTCommandLine({"-windowed", "-fullscreen", "-forcehal", "-forcepurehwvp"});
  EXPECT_EQ(c.windowed, false);
  EXPECT_EQ(c.deviceType, D3DDEVTYPE_HAL);
  EXPECT_EQ(c.behaviorFlags, DWORD(D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_PUREDEVICE));
  EXPECT_EQ(ParseDXUTCommandLine({"-forcehwvp"}).behaviorFlags,
            DWORD(D3DCREATE_HARDWARE_VERTEXPROCESSING));
}

TEST(DXUTCommandLine, ConstantFrameTimeWithoutAValueIsAThirtiethOfASecond) {
  EXPECT_DOUBLE_EQ(*ParseDXUTCommandLine({"-constantframetime"}).constantFrameTime, 1.0 / 30.0);
}

TEST(DXUTCommandLine, UnknownFlagsAndBadValuesAreUnrecognizedAndWordsArePassedOver) {
  const DXUTCommandLine c = ParseDXUTCommandLine(
      {"map1", "-bogus", "-width:abc", "-height:0", "-quitafterframe", "-windowedx",
       "-windowed:1", "-constantframetime:-1", "-adapter:-1", "-", "-width:800"});
  EXPECT_THAT(c.unrecognized, ElementsAre("bogus", "width:abc", "height:0", "quitafterframe",
                                          "windowedx", "windowed:1", "constantframetime:-1",
                                          "adapter:-1"));
  EXPECT_EQ(c.width, 800);
  EXPECT_FALSE(c.height.has_value());
  EXPECT_FALSE(c.windowed.has_value());
}

TEST(DXUTCommandLine, NoFlagsLeaveEverythingToTheGame) {
  const DXUTCommandLine c = ParseDXUTCommandLine({});
  EXPECT_FALSE(c.windowed || c.width || c.height || c.adapter || c.deviceType ||
               c.behaviorFlags || c.constantFrameTime || c.quitAfterFrame);
  EXPECT_FALSE(c.noErrorMsgBoxes);
}
