// The animation controller: poses worked out by hand at chosen times,
// looping, and the .x rotation keys' sense of turn.
#include <cmath>

#include "tests/xfile/xfile_fixture.h"

namespace {

constexpr float kEps = 1e-4f;
constexpr float kHalfRoot2 = 0.70710678f;

D3DXVECTOR3 Apply(const D3DXFRAME* frame, float x, float y, float z) {
  D3DXVECTOR3 v(x, y, z), out;
  D3DXVec3TransformCoord(&out, &v, &frame->TransformationMatrix);
  return out;
}

void ExpectPoint(const D3DXVECTOR3& v, float x, float y, float z) {
  EXPECT_NEAR(v.x, x, kEps);
  EXPECT_NEAR(v.y, y, kEps);
  EXPECT_NEAR(v.z, z, kEps);
}

// 100 ticks a second; the longest key is at 200 ticks, so the set loops
// every 2 seconds. Arm: a quarter turn about y (file order w, x, y, z),
// scale 1 to 3, move to (10,0,0). Leg: matrix keys.
const char kWalk[] = R"(
Frame Root {
  Frame Arm { FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 5,6,7,1;; } }
  Frame Leg { }
  Frame Still { }
}
AnimTicksPerSecond { 100; }
AnimationSet Walk {
  Animation {
    { Arm }
    AnimationKey { 0; 2; 0; 4; 1.0, 0.0, 0.0, 0.0;;, 100; 4; 0.70710678, 0.0, 0.70710678, 0.0;;; }
    AnimationKey { 1; 2; 0; 3; 1, 1, 1;;, 100; 3; 3, 3, 3;;; }
    AnimationKey { 2; 2; 200; 3; 10, 0, 0;;, 0; 3; 0, 0, 0;;; }
  }
  Animation LegAnimation {
    AnimationKey { 4; 2; 0; 16; 1,0,0,0, 0,1,0,0, 0,0,1,0, 0,0,0,1;;, 200; 16; 3,0,0,0, 0,3,0,0, 0,0,3,0, 4,0,0,1;;; }
    { Leg }
  }
  Animation { { Nowhere } AnimationKey { 2; 1; 0; 3; 1, 1, 1;;; } }
}
AnimationSet NotPlayed { Animation { { Still } AnimationKey { 2; 1; 0; 3; 9, 9, 9;;; } } }
)";

}  // namespace

TEST_F(XFileTest, KeysArePosedAtChosenTimesAndLoop) {
  ASSERT_EQ(LoadText(kXHeader + std::string(kWalk)), S_OK);
  ASSERT_NE(controller, nullptr);
  D3DXFRAME* arm = D3DXFrameFind(root, "Arm");
  D3DXFRAME* leg = D3DXFrameFind(root, "Leg");
  ExpectPoint(Apply(arm, 0, 0, 0), 5, 6, 7);  // nothing moves before the first advance

  // 1 s = 100 ticks: the whole quarter turn, scale 3, half the move. The
  // file's quaternion turns +x onto +z in this left-handed space.
  controller->AdvanceTime(1.0, nullptr);
  ExpectPoint(Apply(arm, 1, 0, 0), 5 + 0, 0, 3);
  ExpectPoint(Apply(arm, 0, 0, 1), 5 - 3, 0, 0);
  ExpectPoint(Apply(arm, 0, 1, 0), 5, 3, 0);

  // 1.5 s: the rotation and scale keys are over; the move goes on.
  controller->AdvanceTime(0.5, nullptr);
  ExpectPoint(Apply(arm, 1, 0, 0), 7.5f, 0, 3);
  // Leg: three quarters of the way from the identity to its last matrix.
  ExpectPoint(Apply(leg, 1, 1, 1), 2.5f + 3, 2.5f, 2.5f);

  // 2.5 s wraps to 50 ticks: half the turn (45°, spherical), scale 2, move 2.5.
  controller->AdvanceTime(1.0, nullptr);
  ExpectPoint(Apply(arm, 1, 0, 0), 2.5f + 2 * kHalfRoot2, 0, 2 * kHalfRoot2);
  ExpectPoint(Apply(leg, 1, 0, 0), 1.5f + 1, 0, 0);

  // Frames the played set does not name keep their matrix.
  EXPECT_TRUE(D3DXMatrixIsIdentity(&D3DXFrameFind(root, "Still")->TransformationMatrix));
}

TEST_F(XFileTest, UnkeyedPartsKeepTheLoadedMatrixAndTicksDefaultTo4800) {
  std::string text = std::string(kXHeader) + R"(
    Frame Root {
      Frame Turned { FrameTransformMatrix { 2,0,0,0, 0,2,0,0, 0,0,2,0, 5,6,7,1;; } }
      Frame Moved { FrameTransformMatrix { 0,1,0,0, -1,0,0,0, 0,0,1,0, 5,6,7,1;; } }
    }
    AnimationSet {
      Animation { { Turned } AnimationKey { 0; 1; 4800; 4; 1, 0, 0, 0;;; } }
      Animation { { Moved } AnimationKey { 2; 2; 0; 3; 0, 0, 0;;, 9600; 3; 2, 0, 0;;; } }
    }
  )";
  ASSERT_EQ(LoadText(text), S_OK);
  controller->AdvanceTime(1.0, nullptr);  // 4800 ticks of 9600
  // Rotation keyed: the loaded scale goes, the loaded translation stays.
  ExpectPoint(Apply(D3DXFrameFind(root, "Turned"), 1, 0, 0), 6, 6, 7);
  // Only the move keyed: the loaded turn stays.
  ExpectPoint(Apply(D3DXFrameFind(root, "Moved"), 1, 0, 0), 1, 1, 0);
}

TEST_F(XFileTest, NoControllerWithoutAnimationOfAFrameOrWhenNotAskedFor) {
  std::string text = std::string(kXHeader) +
                     "Frame F { } AnimationSet { Animation { { Missing } AnimationKey { 2; 1; 0; 3; 1,1,1;;; } } }";
  ASSERT_EQ(LoadText(text), S_OK);
  EXPECT_EQ(controller, nullptr);
  D3DXFrameDestroy(root, &allocator);
  EXPECT_EQ(LoadText(kXHeader + std::string(kWalk), false), S_OK);
}

TEST_F(XFileTest, MalformedKeysFail) {
  for (const char* keys : {"AnimationKey { 0; 1; 0; 3; 1, 0, 0;;; }", "AnimationKey { 5; 1; 0; 3; 1, 0, 0;;; }",
                           "AnimationKey { 2; 2; 0; 3; 1, 0, 0;;; }", "AnimationKey { 2; 1; 0; 3; 1, 0;;; }",
                           "AnimationKey { 4; 1; 0; 16; 1, 0, 0;;; }"}) {
    std::string text = std::string(kXHeader) + "Frame F { } AnimationSet { Animation { { F } " + keys + " } }";
    EXPECT_TRUE(FAILED(LoadText(text))) << keys;
    EXPECT_EQ(root, nullptr);
    EXPECT_EQ(controller, nullptr);
  }
}
