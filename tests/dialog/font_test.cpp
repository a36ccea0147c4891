#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/d3d9/recording_device.h"
#include "platform/d3dx9/d3dx9core.h"
#include "platform/d3dx9/font_face.h"
#include "recorded_quads.h"

namespace {

TEST(FontFaces, AMissingFaceFallsBackToAnInstalledOneOfItsKind) {
  FontFile file;
  ASSERT_TRUE(FindFontFile("Tumblox No Such Face", 400, false, &file));
  EXPECT_NE(file.family, "Tumblox No Such Face");
  // The status font: not installed here; its stand-in keeps the texts on screen.
  ASSERT_TRUE(FindFontFile("Elephant", 400, false, &file));
  EXPECT_EQ(file.family, "Liberation Serif");
  EXPECT_TRUE(std::filesystem::exists(file.path));
  ASSERT_TRUE(FindFontFile("DejaVu Sans", 700, false, &file));
  EXPECT_EQ(file.family, "DejaVu Sans");
  EXPECT_NE(file.path.find("Bold"), std::string::npos) << file.path;
}

struct FontTest : ::testing::Test {
  void SetUp() override { device = new RecordingDevice; }
  void TearDown() override {
    if (font) font->Release();
    device->Release();
  }
  void Make(LPCWSTR face, INT height) {
    if (font) font->Release();
    EXPECT_EQ(D3DXCreateFontW(device, height, 0, 400, 0, FALSE, 1, 0, 0, 0, face, &font), S_OK);
  }
  // Draws and returns the quads drawn, the device's record cleared first.
  std::vector<RecordedQuad> Draw(LPCWSTR text, RECT rect = {0, 0, 0, 0}, DWORD format = DT_NOCLIP,
                                 INT* height = nullptr) {
    device->calls.clear();
    INT h = font->DrawTextW(nullptr, text, -1, &rect, format, 0xffffff00);
    if (height) *height = h;
    return AllQuads(*device);
  }
  RecordingDevice* device = nullptr;
  ID3DXFont* font = nullptr;
};

TEST_F(FontTest, DrawsInkAtTheRectanglesCornerInOneDraw) {
  Make(u"Elephant", 30);  // a missing face, drawn through its stand-in
  INT height = 0;
  auto quads = Draw(u"Score: 120", {40, 60, 40, 60}, DT_NOCLIP, &height);
  EXPECT_NEAR(height, 30, 1);
  EXPECT_EQ(device->CallsOf("DrawPrimitiveUP").size(), 1u);
  ASSERT_EQ(quads.size(), 9u);  // the space has no ink
  for (const RecordedQuad& q : quads)
    EXPECT_TRUE(q.left >= 40 && q.top >= 60 && q.bottom <= 60 + height) << q.left << " " << q.top;
  EXPECT_LT(quads.front().left, 45);
  // The texels under a glyph hold its coverage in their alpha.
  auto* texture = static_cast<RecordingTexture*>(quads[0].texture);
  int coverage = 0;
  for (float v = quads[0].v0; v < quads[0].v1; v += 1.0f / texture->height)
    for (float u = quads[0].u0; u < quads[0].u1; u += 1.0f / texture->width)
      coverage += texture->pixels[size_t(v * texture->height) * texture->width +
                                  size_t(u * texture->width)] >> 24;
  EXPECT_GT(coverage, 255 * 10);
}

TEST_F(FontTest, RepeatedTextsComeFromTheCacheUntilTheDeviceIsLost) {
  Make(u"Arial", 14);
  auto first = Draw(u"Start Game!");
  auto again = Draw(u"Start Game!");
  EXPECT_TRUE(device->CallsOf("CreateTexture").empty());
  ASSERT_EQ(first.size(), again.size());
  // Many more characters, on many shelves, still share one texture.
  std::u16string all;
  for (char16_t c = 0x21; c < 0x17f; ++c) all += c;
  auto quads = Draw(all.c_str());
  ASSERT_GT(quads.size(), 300u);
  for (const RecordedQuad& q : quads) EXPECT_EQ(q.texture, quads[0].texture);

  // A loss gives the texture back; the next draw makes and fills it again.
  font->OnLostDevice();
  font->OnResetDevice();
  auto after = Draw(u"Start Game!");
  EXPECT_EQ(device->CallsOf("CreateTexture").size(), 1u);
  ASSERT_EQ(after.size(), first.size());
  auto* texture = static_cast<RecordingTexture*>(after[0].texture);
  EXPECT_TRUE(std::any_of(texture->pixels.begin(), texture->pixels.end(),
                          [](DWORD p) { return (p >> 24) == 255; }));
}

TEST_F(FontTest, LineBreaksAndTabStops) {
  Make(u"Elephant", 30);
  INT one = 0, three = 0;
  Draw(u"A", {0, 0, 0, 0}, DT_NOCLIP, &one);
  auto quads = Draw(u"A\nA\r\nA", {0, 0, 0, 0}, DT_NOCLIP, &three);
  EXPECT_EQ(three, 3 * one);
  ASSERT_EQ(quads.size(), 3u);
  EXPECT_EQ(quads[2].left, quads[0].left);
  EXPECT_EQ(quads[2].top, quads[0].top + 2 * one);
  float tab = Draw(u"\tB")[0].left;
  EXPECT_GT(tab, 40);
  EXPECT_EQ(Draw(u"AB\tB")[2].left, tab);
}

TEST_F(FontTest, RefusesWhatItCannotMakeOrDraw) {
  Make(u"Arial", 14);
  ID3DXFont* none = nullptr;
  EXPECT_LT(D3DXCreateFontW(device, 0, 0, 400, 0, FALSE, 1, 0, 0, 0, u"Arial", &none), 0);
  EXPECT_LT(D3DXCreateFontW(nullptr, 12, 0, 400, 0, FALSE, 1, 0, 0, 0, u"Arial", &none), 0);
  EXPECT_EQ(none, nullptr);
  EXPECT_EQ(font->DrawTextW(nullptr, nullptr, -1, nullptr, 0, 0), 0);
}

}  // namespace
