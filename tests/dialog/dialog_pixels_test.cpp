// What the dialog and the status text put on the back buffer of the OpenGL
// device, read back pixel by pixel.
#include <gtest/gtest.h>

#include <cstdlib>

#include "game_buttons.h"
#include "offscreen_device.h"
#include "tools/png_file/png_file.h"

namespace {

constexpr UINT kWidth = 1024, kHeight = 768;

int Red(DWORD p) { return (p >> 16) & 0xff; }
int Green(DWORD p) { return (p >> 8) & 0xff; }
int Blue(DWORD p) { return p & 0xff; }
bool Black(DWORD p) { return (p & 0xffffff) == 0; }
bool Lit(DWORD p) { return !Black(p); }
bool GreyPixel(DWORD p) {
  return std::abs(Red(p) - Green(p)) <= 2 && std::abs(Green(p) - Blue(p)) <= 2;
}

struct DialogPixelsTest : ::testing::Test {
  void SetUp() override {
    if (!screen.device()) GTEST_SKIP() << "no OpenGL device";
    AddGameButtons(dialog);
    ASSERT_EQ(
        D3DXCreateFontW(screen.device(), 30, 0, 400, 0, FALSE, 1, 0, 0, 0, u"Elephant", &font),
        S_OK);
    ASSERT_EQ(D3DXCreateSprite(screen.device(), &sprite), S_OK);
    // One frame: black, the status text's score lines, the dialog.
    IDirect3DDevice9* device = screen.device();
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xff000000, 1.0f, 0);
    ASSERT_EQ(device->BeginScene(), S_OK);
    CDXUTTextHelper text(font, sprite, 15);
    text.Begin();
    text.SetForegroundColor(D3DXCOLOR(1, 1, 0, 1));
    text.SetInsertionPos(30, 20);
    text.DrawTextLine(u"Score: 4200\nHigh Score: 9100\n");
    text.SetInsertionPos(kWidth / 2 - 130, kHeight / 2);
    text.DrawTextLine(u"Level Cleared!\nBonus Scores:\nTime Left:\t61 x 1000\t= 61000\n");
    text.End();
    ASSERT_EQ(dialog.OnRender(0.016f), S_OK);
    device->EndScene();
    pixels = screen.Pixels(&width, &height);
    ASSERT_EQ(width * height, kWidth * kHeight);
  }
  void TearDown() override {
    if (sprite) sprite->Release();
    if (font) font->Release();
  }
  DWORD At(int x, int y) const { return pixels[size_t(y) * width + size_t(x)]; }
  // Pixels in [left, right) × [top, bottom) for which `test` holds.
  template <typename Test>
  int Count(int left, int top, int right, int bottom, Test test) const {
    int n = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) n += test(At(x, y)) ? 1 : 0;
    return n;
  }

  static OffscreenDevice screen;
  CDXUTDialog dialog;
  ID3DXFont* font = nullptr;
  ID3DXSprite* sprite = nullptr;
  std::vector<DWORD> pixels;
  UINT width = 0, height = 0;
};
OffscreenDevice DialogPixelsTest::screen(kWidth, kHeight);

bool White(DWORD p) { return Red(p) > 220 && Green(p) > 220 && Blue(p) > 220; }
bool Yellow(DWORD p) { return Red(p) > 200 && Green(p) > 200 && Blue(p) < 80; }

TEST_F(DialogPixelsTest, ALabelOnItsFaceAGreyDisabledButtonNoHiddenOne) {
  // Start Game!: x 889 to 1014, y 34 to 56. A bluish face, white writing in
  // its middle, nothing of it outside.
  EXPECT_FALSE(GreyPixel(At(895, 36)));
  EXPECT_GT(Blue(At(895, 36)), Red(At(895, 36)));
  EXPECT_GT(Count(889 + 20, 34 + 4, 1014 - 20, 56 - 4, White), 40);
  EXPECT_EQ(Count(889, 34, 889 + 15, 56, White), 0);  // the label is centred
  EXPECT_TRUE(Black(At(888, 45)));
  EXPECT_TRUE(Black(At(1014, 45)));
  // Left of the column, above the status text's lines (from y 384).
  EXPECT_EQ(Count(800, 0, 888, 380, Lit), 0);

  // Restart Game (y 82 to 104) is disabled: grey face, grey label.
  int face = Count(889, 82, 1014, 104, Lit);
  EXPECT_EQ(face, 125 * 22);
  EXPECT_EQ(Count(889, 82, 1014, 104, GreyPixel), face);
  EXPECT_EQ(Count(889, 82, 1014, 104, White), 0);
  EXPECT_GT(Count(889 + 20, 86, 1014 - 20, 100, [](DWORD p) { return Red(p) > 140; }), 40);
  // Yes (y 346 to 368) and Toggle full screen (y 10 to 32) are hidden.
  EXPECT_EQ(Count(880, 346, 1024, 368, Lit) + Count(880, 10, 1024, 32, Lit), 0);
}

TEST_F(DialogPixelsTest, StatusTextIsYellowFromItsInsertionPoint) {
  // "Score: 4200" and "High Score: 9100" from (30, 20), two 30-pixel lines.
  EXPECT_GT(Count(30, 20, 330, 80, Yellow), 200);
  EXPECT_EQ(Count(0, 0, 30, 200, Yellow), 0);
  EXPECT_GT(Count(30, 50, 330, 80, Yellow), 80);  // the second line
  EXPECT_GT(Count(382, 384, 900, 474, Yellow), 300);
  WritePng(PictureFolder() + "/dialog.png", pixels, width, height);
}

}  // namespace
