#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zlib.h>

#include <cstring>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <png.h>

#include "platform/d3d9/recording_device.h"
#include "platform/d3dx9/d3dx9tex.h"
#include "platform/win32/wide_text.h"
#include "tests/files/temp_folder.h"

namespace fs = std::filesystem;

namespace {

class TextureFromFile : public ::testing::Test {
 protected:
  void TearDown() override { device_->Release(); }

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

  void WriteJpeg(const std::string& name, UINT w, UINT h, BYTE r, BYTE g, BYTE b,
                 const std::vector<jpeg_scan_info>& scans = {}) {
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
    if (!scans.empty()) {
      info.scan_info = scans.data();
      info.num_scans = int(scans.size());
    }
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row;
    for (UINT x = 0; x < w; ++x) row.insert(row.end(), {r, g, b});
    while (info.next_scanline < h) {
      JSAMPROW rows[1] = {row.data()};
      jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    WriteBytes(name, std::string(reinterpret_cast<char*>(memory), size));
    jpeg_destroy_compress(&info);
    std::free(memory);
  }

  // A small PNG whose header claims the size.
  void WritePngClaiming(const std::string& name, UINT w, UINT h) {
    WritePng(name, 1, 1, {0, 0, 0, 0});
    std::string png = ReadBytes(name);
    for (int i = 0; i < 4; ++i) png[16 + i] = char(w >> (24 - 8 * i)), png[20 + i] = char(h >> (24 - 8 * i));
    uLong crc = crc32(0, reinterpret_cast<const Bytef*>(png.data() + 12), 17);  // IHDR and its data
    for (int i = 0; i < 4; ++i) png[29 + i] = char(crc >> (24 - 8 * i));
    WriteBytes(name, png);
  }

  // An uncompressed PNG of w x h grey pixels, padded out with a comment to
  // exactly `bytes` bytes: a size that only the pixels could need.
  void WriteStoredPng(const std::string& name, UINT w, UINT h, std::size_t bytes) {
    std::string png;
    png_structp writer = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(writer);
    png_set_write_fn(
        writer, &png,
        [](png_structp p, png_bytep data, png_size_t size) {
          static_cast<std::string*>(png_get_io_ptr(p))->append(reinterpret_cast<char*>(data), size);
        },
        nullptr);
    png_set_compression_level(writer, 0);
    png_set_filter(writer, 0, PNG_FILTER_NONE);
    png_set_IHDR(writer, info, w, h, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(writer, info);
    const std::vector<png_byte> row(std::size_t(w) * 4, 0x80);
    for (UINT y = 0; y < h; ++y) png_write_row(writer, row.data());
    png_write_end(writer, nullptr);
    png_destroy_write_struct(&writer, &info);

    const std::size_t chunkBytes = 12 + sizeof "Comment";  // length, type, keyword, CRC
    ASSERT_LE(png.size() + chunkBytes, bytes);
    std::string chunk =
        std::string("tEXtComment") + '\0' + std::string(bytes - png.size() - chunkBytes, ' ');
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(chunk.data()), uInt(chunk.size()));
    const std::size_t length = chunk.size() - 4;
    for (int i = 3; i >= 0; --i) chunk.insert(chunk.begin(), char(length >> (24 - 8 * i)));
    for (int i = 0; i < 4; ++i) chunk.push_back(char(crc >> (24 - 8 * i)));
    png.insert(png.size() - 12, chunk);  // before IEND
    WriteBytes(name, png);
  }

  void WriteBytes(const std::string& name, const std::string& bytes) { WriteWholeFile((dir_ / name).string(), bytes); }
  std::string ReadBytes(const std::string& name) { return ReadWholeFile((dir_ / name).string()); }

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

  TempFolder folder_;
  const fs::path& dir_ = folder_.path;
  RecordingDevice* device_ = new RecordingDevice();
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

// One scan for the DC of all three components, then one per AC coefficient
// and component: 190 scans, each a pass over the image.
std::vector<jpeg_scan_info> ScanPerCoefficient() {
  std::vector<jpeg_scan_info> scans = {{3, {0, 1, 2, 0}, 0, 0, 0, 0}};
  for (int c = 0; c < 3; ++c)
    for (int k = 1; k < 64; ++k) scans.push_back({1, {c, 0, 0, 0}, k, k, 0, 0});
  return scans;
}

TEST_F(TextureFromFile, RefusesWhatNoGameTextureNeeds) {
  fs::create_directory(dir_ / "folder.png");
  ASSERT_EQ(mkfifo((dir_ / "pipe.png").c_str(), 0600), 0);  // no writer: opening must not wait
  WritePngClaiming("wide.png", 8192, 8192);
  WritePngClaiming("tall.png", 16, 4097);
  WriteJpeg("big.jpg", 8, 8, 1, 2, 3);
  std::string jpeg = ReadBytes("big.jpg");
  std::size_t frame = jpeg.find("\xFF\xC0");  // height and width follow length and precision
  ASSERT_NE(frame, std::string::npos);
  jpeg.replace(frame + 5, 4, std::string("\x20\x00\x20\x00", 4));
  WriteBytes("big.jpg", jpeg);
  WriteJpeg("scans.jpg", 16, 16, 9, 9, 9, ScanPerCoefficient());
  for (const char* name :
       {"folder.png", "pipe.png", "wide.png", "tall.png", "big.jpg", "scans.jpg"}) {
    HRESULT hr = S_OK;
    EXPECT_EQ(Load(name, &hr), nullptr) << name;
    EXPECT_LT(hr, 0) << name;
  }
  IDirect3DTexture9* texture = nullptr;
  EXPECT_EQ(D3DXCreateTextureFromFileW(device_, u"/dev/zero", &texture), E_FAIL);
  EXPECT_TRUE(device_->CallsOf("CreateTexture").empty());
}

TEST_F(TextureFromFile, AnImageFileOfUpTo32MBLoadsAndOneByteMoreIsRefused) {
  constexpr std::size_t Cap = 32u << 20;
  WriteStoredPng("at_cap.png", 4096, 2040, Cap);
  WriteStoredPng("over_cap.png", 4096, 2040, Cap + 1);
  ASSERT_EQ(fs::file_size(dir_ / "over_cap.png"), Cap + 1);
  RecordingTexture* t = Load("at_cap.png");
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->height, 2040u);
  EXPECT_EQ(t->pixels.back(), 0x80808080u);
  t->Release();
  testing::internal::CaptureStderr();
  HRESULT hr = S_OK;
  EXPECT_EQ(Load("over_cap.png", &hr), nullptr);
  EXPECT_LT(hr, 0);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("over_cap.png"), std::string::npos);
}

TEST_F(TextureFromFile, TakesTheLargestAllowedAndProgressiveImages) {
  WritePng("edge.png", 4096, 2, std::vector<BYTE>(4096 * 2 * 4, 0x40));
  std::vector<jpeg_scan_info> scans = ScanPerCoefficient();
  scans.resize(100);  // the DC scan and 99 AC scans: the most allowed
  WriteJpeg("progressive.jpg", 16, 16, 200, 40, 10, scans);
  RecordingTexture* png = Load("edge.png");
  RecordingTexture* jpeg = Load("progressive.jpg");
  ASSERT_NE(png, nullptr);
  ASSERT_NE(jpeg, nullptr);
  EXPECT_EQ(png->width, 4096u);
  EXPECT_NEAR(int((jpeg->pixels[0] >> 16) & 0xFF), 200, 8);
  png->Release();
  jpeg->Release();
}

TEST_F(TextureFromFile, DeviceFailureIsPassedOn) {
  WritePng("ok.png", 1, 1, {0, 0, 0, 255});
  device_->failures["CreateTexture"] = E_OUTOFMEMORY;
  HRESULT hr = S_OK;
  EXPECT_EQ(Load("ok.png", &hr), nullptr);
  EXPECT_EQ(hr, E_OUTOFMEMORY);
}
