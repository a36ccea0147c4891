#include <gtest/gtest.h>

#include "game_buttons.h"
#include "platform/d3d9/recording_device.h"
#include "recorded_quads.h"

namespace {

bool Grey(D3DCOLOR c) {
  return ((c >> 16) & 0xff) == ((c >> 8) & 0xff) && ((c >> 8) & 0xff) == (c & 0xff);
}

struct DialogRenderTest : ::testing::Test {
  void SetUp() override {
    device = new RecordingDevice;
    resources = DXUTGetGlobalDialogResourceManager();
    ASSERT_EQ(resources->OnCreateDevice(device), S_OK);
    ASSERT_EQ(resources->OnResetDevice(), S_OK);
    AddGameButtons(dialog);
  }
  void TearDown() override {
    resources->OnLostDevice();
    resources->OnDestroyDevice();
    device->Release();
  }
  std::vector<RecordedDraw> Render() {
    device->calls.clear();
    EXPECT_EQ(dialog.OnRender(0.016f), S_OK);
    return RecordedDraws(*device);
  }
  // A texel inside the n-th visible button's face, clear of its rim.
  static D3DCOLOR Fill(const RecordedDraw& faces, int n) {
    const RecordedQuad& q = faces.quads[size_t(n)];
    auto* texture = static_cast<RecordingTexture*>(q.texture);
    size_t x = size_t(q.u0 * float(texture->width)) + 10;
    size_t y = size_t(q.v0 * float(texture->height)) + 5;
    return texture->pixels[y * texture->width + x];
  }
  RecordingDevice* device = nullptr;
  CDXUTDialogResourceManager* resources = nullptr;
  CDXUTDialog dialog;
};

TEST_F(DialogRenderTest, VisibleFacesInCreationOrderThenLabels) {
  auto draws = Render();
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_NE(draws[0].texture, draws[1].texture);
  // 8 buttons are visible after start-up: Start Game! to Mute Sound.
  ASSERT_EQ(draws[0].quads.size(), 8u);
  const int visibleY[] = {34, 58, 82, 106, 130, 154, 178, 202};
  for (int n = 0; n < 8; ++n) {
    const RecordedQuad& face = draws[0].quads[size_t(n)];
    EXPECT_FLOAT_EQ(face.left, 889);
    EXPECT_FLOAT_EQ(face.top, float(visibleY[n]));
    EXPECT_FLOAT_EQ(face.right, 889 + 125);
    EXPECT_FLOAT_EQ(face.bottom, float(visibleY[n] + 22));
  }
  // Every label lies inside the column, none on the hidden buttons' rows.
  for (const RecordedQuad& q : draws[1].quads) {
    EXPECT_GT(q.left, 889);
    EXPECT_LT(q.right, 889 + 125);
    EXPECT_GE(q.top, 34);
    EXPECT_LE(q.bottom, 202 + 22);
  }
}

TEST_F(DialogRenderTest, EachStateHasItsLook) {
  auto draws = Render();
  D3DCOLOR normal = Fill(draws[0], 0);    // Start Game!
  D3DCOLOR disabled = Fill(draws[0], 2);  // Restart Game
  EXPECT_FALSE(Grey(normal));
  EXPECT_TRUE(Grey(disabled));
  for (const RecordedQuad& q : draws[1].quads)
    if (q.top >= 82 && q.bottom <= 104) EXPECT_TRUE(Grey(q.color) && q.color != 0xffffffffu);

  // Under the mouse, then pressed, then neither.
  dialog.MsgProc(nullptr, WM_MOUSEMOVE, 0, MAKELPARAM(900, 40));
  D3DCOLOR hover = Fill(Render()[0], 0);
  dialog.MsgProc(nullptr, WM_LBUTTONDOWN, 0, MAKELPARAM(900, 40));
  D3DCOLOR pressed = Fill(Render()[0], 0);
  EXPECT_NE(hover, normal);
  EXPECT_NE(pressed, normal);
  EXPECT_NE(pressed, hover);
  dialog.MsgProc(nullptr, WM_LBUTTONUP, 0, MAKELPARAM(900, 40));
  dialog.MsgProc(nullptr, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
  EXPECT_EQ(Fill(Render()[0], 0), normal);

  // A disabled button under the mouse keeps its disabled look.
  dialog.MsgProc(nullptr, WM_MOUSEMOVE, 0, MAKELPARAM(900, 85));
  EXPECT_EQ(Fill(Render()[0], 2), disabled);
}

TEST_F(DialogRenderTest, HiddenButtonsAreNotDrawnAndStatesAreGivenBack) {
  for (const GameButton& b : kGameButtons) dialog.GetControl(b.id, 0)->SetVisible(false);
  device->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
  EXPECT_TRUE(Render().empty());
  dialog.GetControl(11, 0)->SetVisible(true);
  auto draws = Render();
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_FLOAT_EQ(draws[0].quads[0].top, 370);
  EXPECT_EQ(device->renderStates[D3DRS_ZENABLE], DWORD(D3DZB_TRUE));
}

TEST_F(DialogRenderTest, DrawsAgainAfterTheDeviceIsLostAndReset) {
  Render();
  resources->OnLostDevice();
  ASSERT_EQ(resources->OnResetDevice(), S_OK);
  auto draws = Render();
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_FALSE(draws[1].quads.empty());
  // Without a device there is nothing to draw on.
  resources->OnLostDevice();
  resources->OnDestroyDevice();
  EXPECT_TRUE(Render().empty());
}

}  // namespace
