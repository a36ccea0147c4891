#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <png.h>

#include "platform/d3dx9/d3dx9tex.h"
#include "platform/d3dx9/model_textures.h"
#include "platform/win32/regular_file.h"
#include "platform/win32/wide_text.h"

namespace {

// What a game texture can need, with room to spare: larger files and images
// are refused before any decoding memory is taken, and a progressive JPEG of
// more scans than any encoder writes is not decoded to the end.
constexpr std::size_t kMaxFileBytes = 32u << 20;
constexpr UINT kMaxSide = 4096;
constexpr int kMaxJpegScans = 100;

// Asked before any pixel is decoded; a model being loaded pays for them.
bool SizeAllowed(UINT width, UINT height) {
  if (width == 0 || height == 0) return false;
  if (width > kMaxSide || height > kMaxSide) {
    std::fprintf(stderr, "texture of %u x %u: larger than %u x %u, not loaded\n", width, height,
                 kMaxSide, kMaxSide);
    return false;
  }
  ModelTextures* model = ModelTextures::Current();
  if (!model || model->Pay(std::size_t(width) * height * sizeof(DWORD))) return true;
  std::fprintf(stderr, "texture of %u x %u: more than its model's size allows, not loaded\n", width,
               height);
  return false;
}

struct Image {
  UINT width = 0, height = 0;
  std::vector<DWORD> pixels;  // 0xAARRGGBB, rows top to bottom
};

bool DecodePng(const std::string& file, Image* out) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) return false;
  if (!SizeAllowed(image.width, image.height)) {
    png_image_free(&image);
    return false;
  }
  // BGRA bytes are 0xAARRGGBB words on a little-endian machine.
  image.format = PNG_FORMAT_BGRA;
  out->width = image.width;
  out->height = image.height;
  out->pixels.assign(size_t(image.width) * image.height, 0);
  if (!png_image_finish_read(&image, nullptr, out->pixels.data(), 0, nullptr)) {
    png_image_free(&image);
    return false;
  }
  return true;
}

struct JpegError {
  jpeg_error_mgr manager;
  std::jmp_buf escape;
};

void OnJpegError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegError*>(info->err)->escape, 1);
}

// Called as the decoder reads on; each scan of a progressive file costs a
// pass over the whole image.
void CountJpegScans(j_common_ptr common) {
  auto* info = reinterpret_cast<j_decompress_ptr>(common);
  if (info->input_scan_number <= kMaxJpegScans) return;
  std::fprintf(stderr, "JPEG texture of more than %d scans, not loaded\n", kMaxJpegScans);
  OnJpegError(common);
}

void IgnoreJpegMessage(j_common_ptr) {}

// Kept apart from DecodeJpeg, and free of C++ objects of its own, so that a
// longjmp out of the decoder skips no destructor.
bool DecodeJpegInto(const std::string& file, jpeg_decompress_struct* info, JpegError* error,
                    jpeg_progress_mgr* progress, Image* out) {
  if (setjmp(error->escape)) return false;
  jpeg_create_decompress(info);
  info->progress = progress;
  jpeg_mem_src(info, reinterpret_cast<const unsigned char*>(file.data()),
               static_cast<unsigned long>(file.size()));
  if (jpeg_read_header(info, TRUE) != JPEG_HEADER_OK) return false;
  if (!SizeAllowed(info->image_width, info->image_height)) return false;
  info->out_color_space = JCS_RGB;
  jpeg_start_decompress(info);
  out->width = info->output_width;
  out->height = info->output_height;
  out->pixels.resize(size_t(out->width) * out->height);
  // The row lives in the decoder's own pool, freed with it even after a longjmp.
  JSAMPARRAY rows = (*info->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(info), JPOOL_IMAGE,
                                               out->width * 3, 1);
  const JSAMPLE* row = rows[0];
  while (info->output_scanline < info->output_height) {
    UINT y = info->output_scanline;
    jpeg_read_scanlines(info, rows, 1);
    DWORD* target = &out->pixels[size_t(y) * out->width];
    for (UINT x = 0; x < out->width; ++x)
      target[x] = 0xFF000000u | (DWORD(row[x * 3]) << 16) | (DWORD(row[x * 3 + 1]) << 8) |
                  row[x * 3 + 2];
  }
  jpeg_finish_decompress(info);
  return true;
}

bool DecodeJpeg(const std::string& file, Image* out) {
  jpeg_decompress_struct info;
  JpegError error;
  info.err = jpeg_std_error(&error.manager);
  error.manager.error_exit = OnJpegError;
  error.manager.output_message = IgnoreJpegMessage;
  jpeg_progress_mgr progress{};
  progress.progress_monitor = CountJpegScans;
  bool ok = DecodeJpegInto(file, &info, &error, &progress, out);
  jpeg_destroy_decompress(&info);
  return ok;
}

HRESULT CreateTexture(IDirect3DDevice9* device, const std::string& bytes, IDirect3DTexture9** texture) {
  static const char kPng[] = {'\x89', 'P', 'N', 'G', '\r', '\n', '\x1A', '\n'};
  static const char kJpeg[] = {'\xFF', '\xD8', '\xFF'};
  Image image;
  bool decoded = false;
  if (bytes.size() >= sizeof kPng && std::memcmp(bytes.data(), kPng, sizeof kPng) == 0)
    decoded = DecodePng(bytes, &image);
  else if (bytes.size() >= sizeof kJpeg && std::memcmp(bytes.data(), kJpeg, sizeof kJpeg) == 0)
    decoded = DecodeJpeg(bytes, &image);
  if (!decoded) return E_FAIL;

  IDirect3DTexture9* made = nullptr;
  HRESULT hr = device->CreateTexture(image.width, image.height, 1, 0, D3DFMT_A8R8G8B8,
                                     D3DPOOL_MANAGED, &made, nullptr);
  if (FAILED(hr)) return hr;
  D3DLOCKED_RECT locked;
  hr = made->LockRect(0, &locked, nullptr, 0);
  if (FAILED(hr)) {
    made->Release();
    return hr;
  }
  for (UINT y = 0; y < image.height; ++y)
    std::memcpy(static_cast<BYTE*>(locked.pBits) + size_t(y) * locked.Pitch,
                &image.pixels[size_t(y) * image.width], image.width * sizeof(DWORD));
  made->UnlockRect(0);
  *texture = made;
  return D3D_OK;
}

// The texture of a file, made once for all the materials of a model that
// name it.
HRESULT CreateTextureOfFile(IDirect3DDevice9* device, LPCWSTR name, IDirect3DTexture9** texture) {
  RegularFile file;
  HRESULT hr = OpenRegularFile(WideToUtf8(name).c_str(), kMaxFileBytes, "texture", &file);
  if (FAILED(hr)) return hr;
  ModelTextures* model = ModelTextures::Current();
  if (model && model->Find(file.device, file.inode, texture)) return *texture ? D3D_OK : E_FAIL;
  std::string bytes;
  hr = ReadWholeFile(file, &bytes);
  if (SUCCEEDED(hr)) hr = CreateTexture(device, bytes, texture);
  if (model) model->Keep(file.device, file.inode, *texture);
  return hr;
}

}  // namespace

HRESULT D3DXCreateTextureFromFileW(IDirect3DDevice9* device, LPCWSTR file,
                                   IDirect3DTexture9** texture) {
  if (!device || !file || !texture) return D3DERR_INVALIDCALL;
  *texture = nullptr;
  // Nothing thrown below may reach the caller, whose loaders are C-like.
  try {
    return CreateTextureOfFile(device, file, texture);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}
