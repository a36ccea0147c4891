// What the dialog and the text helper hand a recording device.
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
  RecordingDevice* device = new RecordingDevice;
  CDXUTDialogResourceManager* resources = nullptr;
  CDXUTDialog dialog;
};

TEST_F(DialogRenderTest, VisibleFacesInCreationOrderThenTheirLabels) {
  auto draws = Render();
  ASSERT_EQ(draws.size(), 2u);
  // 8 buttons are visible after start-up: Start Game! (y 34) to Mute Sound (y 202).
  ASSERT_EQ(draws[0].quads.size(), 8u);
  for (int n = 0; n < 8; ++n) {
    const RecordedQuad& face = draws[0].quads[size_t(n)];
    EXPECT_EQ((std::vector<float>{face.left, face.top, face.right, face.bottom}),
              (std::vector<float>{889, 34.0f + 24 * n, 889 + 125, 56.0f + 24 * n}));
  }
  for (const RecordedQuad& q : draws[1].quads) {
    EXPECT_TRUE(q.left > 889 && q.right < 889 + 125 && q.top >= 34 && q.bottom <= 224);
    if (q.top >= 82 && q.bottom <= 104) {
      EXPECT_TRUE(Grey(q.color) && q.color != 0xffffffffu);
    }
  }

  // Hidden buttons are not drawn.
  for (const GameButton& b : kGameButtons) dialog.GetControl(b.id, 0)->SetVisible(false);
  EXPECT_TRUE(Render().empty());
  dialog.GetControl(11, 0)->SetVisible(true);
  EXPECT_FLOAT_EQ(Render().at(0).quads.at(0).top, 370);
}

TEST_F(DialogRenderTest, EachStateHasItsLook) {
  auto draws = Render();
  D3DCOLOR normal = Fill(draws[0], 0);    // Start Game!
  D3DCOLOR disabled = Fill(draws[0], 2);  // Restart Game
  EXPECT_FALSE(Grey(normal));
  EXPECT_TRUE(Grey(disabled));
  dialog.MsgProc(nullptr, WM_MOUSEMOVE, 0, MAKELPARAM(900, 40));
  D3DCOLOR hover = Fill(Render()[0], 0);
  dialog.MsgProc(nullptr, WM_LBUTTONDOWN, 0, MAKELPARAM(900, 40));
  D3DCOLOR pressed = Fill(Render()[0], 0);
  EXPECT_NE(hover, normal);
  EXPECT_NE(pressed, normal);
  EXPECT_NE(pressed, hover);
  dialog.MsgProc(nullptr, WM_LBUTTONUP, 0, MAKELPARAM(900, 40));
  dialog.MsgProc(nullptr, WM_MOUSEMOVE, 0, MAKELPARAM(900, 85));  // onto the disabled one
  EXPECT_EQ(Fill(Render()[0], 0), normal);
  EXPECT_EQ(Fill(Render()[0], 2), disabled);
}

TEST_F(DialogRenderTest, DrawsAgainAfterTheDeviceIsLostAndReset) {
  resources->OnLostDevice();
  ASSERT_EQ(resources->OnResetDevice(), S_OK);
  EXPECT_FALSE(Render().at(1).quads.empty());
  resources->OnLostDevice();
  resources->OnDestroyDevice();
  EXPECT_TRUE(Render().empty());  // without a device there is nothing to draw on
}

TEST_F(DialogRenderTest, TheTextHelperWritesLinesFromTheInsertionPointInOneBatch) {
  ID3DXFont* font = nullptr;
  ID3DXSprite* sprite = nullptr;
  ASSERT_EQ(D3DXCreateFontW(device, 30, 0, 400, 0, FALSE, 1, 0, 0, 0, u"Elephant", &font), S_OK);
  ASSERT_EQ(D3DXCreateSprite(device, &sprite), S_OK);
  device->calls.clear();
  CDXUTTextHelper text(font, sprite, 15);
  text.Begin();
  text.SetForegroundColor(D3DXCOLOR(1, 1, 0, 1));
  text.SetInsertionPos(30, 20);
  EXPECT_EQ(text.DrawTextLine(u"Score: 0\nHigh Score: 7\n"), S_OK);
  EXPECT_EQ(text.DrawTextLine(u"I"), S_OK);  // 15 below the last point, whatever the text's height
  text.SetInsertionPos(500, 700);
  EXPECT_EQ(text.DrawTextLine(u"W"), S_OK);
  text.End();
  auto draws = RecordedDraws(*device);
  ASSERT_EQ(draws.size(), 1u);
  const auto& quads = draws[0].quads;
  ASSERT_EQ(quads.size(), 7u + 11u + 1u + 1u);
  for (const RecordedQuad& q : quads) EXPECT_EQ(q.color, 0xffffff00u);  // opaque yellow
  EXPECT_GT(quads[7].top, quads[0].top + 20);        // "H" a line lower
  EXPECT_NEAR(quads[18].top, quads[0].top + 15, 2);  // "I": both capitals, same top
  EXPECT_NEAR(quads[19].left, 500, 3);
  sprite->Release();
  font->Release();
}

}  // namespace
