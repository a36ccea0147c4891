#include <gtest/gtest.h>

#include "platform/d3d9/recording_device.h"
#include "platform/dxut/dxut_gui.h"
#include "recorded_quads.h"

namespace {

TEST(TextHelper, WritesLinesFromTheInsertionPointInOneBatch) {
  auto* device = new RecordingDevice;
  ID3DXFont* font = nullptr;
  ID3DXSprite* sprite = nullptr;
  ASSERT_EQ(D3DXCreateFontW(device, 30, 0, 400, 0, FALSE, 1, 0, 0, 0, u"Elephant", &font), S_OK);
  ASSERT_EQ(D3DXCreateSprite(device, &sprite), S_OK);
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
  device->Release();
}

}  // namespace
