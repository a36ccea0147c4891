#include "tools/png_file/png_file.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>

bool WritePng(const std::string& path, const std::vector<DWORD>& pixels, UINT width, UINT height) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  std::vector<png_byte> row(size_t(width) * 3);
  bool ok = info != nullptr;
  if (ok && setjmp(png_jmpbuf(png))) ok = false;
  else if (ok) {
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (UINT y = 0; y < height; ++y) {
      for (UINT x = 0; x < width; ++x) {
        const DWORD p = pixels[size_t(y) * width + x];
        row[x * 3] = png_byte(p >> 16);
        row[x * 3 + 1] = png_byte(p >> 8);
        row[x * 3 + 2] = png_byte(p);
      }
      png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
  }
  png_destroy_write_struct(&png, &info);
  std::fclose(file);
  return ok;
}

std::string PictureFolder() {
  const char* folder = std::getenv("TUMBLOX_PICTURES");
  return folder && *folder ? folder : "/tmp";
}
