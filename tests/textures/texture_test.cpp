#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <png.h>

#include "platform/d3d9/recording_device.h"
#include "platform/d3dx9/d3dx9tex.h"
#include "platform/win32/wide_text.h"

namespace fs = std::filesystem;

namespace {

class TextureFromFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("tumblox_tex_" + std::to_string(::getpid()));
    fs::create_directories(dir_);
    device_ = new RecordingDevice();
  }
  void TearDown() override {
    device_->Release();
    fs::remove_all(dir_);
  }

  std::u16string Path(const std::string& name) {
    std::string p = (dir_ / name).string();
    return Utf8ToWide(p.c_str(), p.size());
  }

  void WritePng(const std::string& name, UINT w, UINT h, const std::vector<BYTE>& bgra) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = w;
    image.height = h;
    image.format = PNG_FORMAT_BGRA;
    ASSERT_TRUE(png_image_write_to_file(&image, (dir_ / name).c_str(), 0, bgra.data(), 0, nullptr));
  }

  void WriteJpeg(const std::string& name, UINT w, UINT h, BYTE r, BYTE g, BYTE b) {
    jpeg_compress_struct info;
    jpeg_error_mgr error;
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* memory = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &memory, &size);
    info.image_width = w;
    info.image_height = h;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(w * 3);
    for (UINT x = 0; x < w; ++x) {
      row[x * 3] = r;
      row[x * 3 + 1] = g;
      row[x * 3 + 2] = b;
    }
    while (info.next_scanline < h) {
      JSAMPROW rows[1] = {row.data()};
      jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    WriteBytes(name, std::string(reinterpret_cast<char*>(memory), size));
    jpeg_destroy_compress(&info);
    std::free(memory);
  }

  void WriteBytes(const std::string& name, const std::string& bytes) {
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
  }

  std::string ReadBytes(const std::string& name) {
    std::ifstream in(dir_ / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  RecordingTexture* Load(const std::string& name, HRESULT* result = nullptr) {
    IDirect3DTexture9* texture = reinterpret_cast<IDirect3DTexture9*>(8);
    HRESULT hr = D3DXCreateTextureFromFileW(device_, Path(name).c_str(), &texture);
    if (result) *result = hr;
    if (FAILED(hr)) {
      EXPECT_EQ(texture, nullptr);
      return nullptr;
    }
    return static_cast<RecordingTexture*>(texture);
  }

  fs::path dir_;
  RecordingDevice* device_ = nullptr;
};

}  // namespace

TEST_F(TextureFromFile, PngKeepsEveryPixelAndItsAlpha) {
  // Two by two: opaque red, half-transparent green, blue, clear white.
  WritePng("a.png", 2, 2,
           {0, 0, 255, 255, 0, 255, 0, 128, 255, 0, 0, 255, 255, 255, 255, 0});
  RecordingTexture* t = Load("a.png");
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->width, 2u);
  EXPECT_EQ(t->height, 2u);
  EXPECT_EQ(t->pixels, (std::vector<DWORD>{0xFFFF0000, 0x8000FF00, 0xFF0000FF, 0x00FFFFFF}));
  EXPECT_FALSE(t->locked);
  t->Release();
}

TEST_F(TextureFromFile, JpegDecodesOpaqueColours) {
  WriteJpeg("b.jpg", 16, 8, 200, 40, 10);
  RecordingTexture* t = Load("b.jpg");
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->width, 16u);
  EXPECT_EQ(t->height, 8u);
  DWORD p = t->pixels[5 * 16 + 7];
  EXPECT_EQ(p >> 24, 0xFFu);
  EXPECT_NEAR(int((p >> 16) & 0xFF), 200, 4);
  EXPECT_NEAR(int((p >> 8) & 0xFF), 40, 4);
  EXPECT_NEAR(int(p & 0xFF), 10, 4);
  t->Release();
}

TEST_F(TextureFromFile, FormatComesFromTheContentNotTheName) {
  WriteJpeg("looks.png", 8, 8, 0, 0, 255);
  WritePng("looks.jpg", 1, 1, {1, 2, 3, 4});
  RecordingTexture* j = Load("looks.png");
  RecordingTexture* p = Load("looks.jpg");
  ASSERT_NE(j, nullptr);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->pixels[0], 0x04030201u);
  j->Release();
  p->Release();
}

TEST_F(TextureFromFile, BadFilesFailCleanly) {
  HRESULT hr = S_OK;
  EXPECT_EQ(Load("missing.png", &hr), nullptr);
  EXPECT_LT(hr, 0);
  WriteBytes("empty.png", "");
  EXPECT_EQ(Load("empty.png"), nullptr);
  WriteBytes("text.png", "not an image at all");
  EXPECT_EQ(Load("text.png"), nullptr);
  WritePng("whole.png", 4, 4, std::vector<BYTE>(64, 0x7F));
  std::string png = ReadBytes("whole.png");
  WriteBytes("cut.png", png.substr(0, png.size() / 2));
  EXPECT_EQ(Load("cut.png"), nullptr);
  WriteBytes("junk.jpg", std::string("\xFF\xD8\xFF\xE0", 4) + std::string(100, '\x13'));
  EXPECT_EQ(Load("junk.jpg"), nullptr);
  EXPECT_TRUE(device_->CallsOf("CreateTexture").empty());  // nothing made for any of them
}

TEST_F(TextureFromFile, DeviceFailureIsPassedOn) {
  WritePng("ok.png", 1, 1, {0, 0, 0, 255});
  device_->failures["CreateTexture"] = E_OUTOFMEMORY;
  HRESULT hr = S_OK;
  EXPECT_EQ(Load("ok.png", &hr), nullptr);
  EXPECT_EQ(hr, E_OUTOFMEMORY);
}
