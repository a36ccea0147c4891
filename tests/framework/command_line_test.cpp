// The framework's flags as the command line gives them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/dxut/command_line.h"

using ::testing::ElementsAre;

TEST(DXUTCommandLine, ReadsEveryFlagWithoutRegardToCaseAndTheLastContraryFlagHolds) {
  const DXUTCommandLine c = ParseDXUTCommandLine(
      {"-Adapter:0", "-fullscreen", "-WINDOWED", "-forcehal", "-forceRef", "-forcehwvp",
       "-forceswvp", "-width:800", "-height:600", "-startx:10", "-starty:-20",
       "-constantframetime:0.01", "-quitafterframe:5", "/noerrormsgboxes"});
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

  const DXUTCommandLine d = ParseDXUTCommandLine({"-windowed", "-fullscreen", "-forcepurehwvp"});
  EXPECT_EQ(d.windowed, false);
  EXPECT_EQ(d.behaviorFlags, DWORD(D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_PUREDEVICE));
  EXPECT_EQ(ParseDXUTCommandLine({"-forcehwvp"}).behaviorFlags,
            DWORD(D3DCREATE_HARDWARE_VERTEXPROCESSING));
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
  EXPECT_FALSE(c.height || c.windowed);
  const DXUTCommandLine none = ParseDXUTCommandLine({});
  EXPECT_FALSE(none.windowed || none.width || none.height || none.adapter || none.deviceType ||
               none.behaviorFlags || none.constantFrameTime || none.quitAfterFrame ||
               none.noErrorMsgBoxes);
}
