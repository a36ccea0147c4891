#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "platform/win32/wide_text.h"

BOOL SetCurrentDirectoryW(LPCWSTR path) {
  if (!path) return FALSE;
  return chdir(WideToUtf8(path).c_str()) == 0 ? TRUE : FALSE;
}

DWORD GetCurrentDirectoryW(DWORD length, LPWSTR buffer) {
  char* path = getcwd(nullptr, 0);
  if (!path) return 0;
  std::u16string wide = Utf8ToWide(path, std::strlen(path));
  // A name that is not UTF-8 would come back as another folder's.
  bool named = WideToUtf8(wide.c_str()) == path;
  std::free(path);
  if (!named) return 0;
  if (!buffer || wide.size() + 1 > length) return static_cast<DWORD>(wide.size() + 1);
  std::memcpy(buffer, wide.data(), wide.size() * sizeof(char16_t));
  buffer[wide.size()] = 0;
  return static_cast<DWORD>(wide.size());
}

int MultiByteToWideChar(UINT, DWORD, LPCSTR src, int srcLength, LPWSTR dst, int dstCount) {
  if (!src || srcLength < -1 || dstCount < 0) return 0;
  std::size_t length = srcLength == -1 ? std::strlen(src) + 1 : static_cast<std::size_t>(srcLength);
  std::u16string wide = Utf8ToWide(src, length);
  if (dstCount == 0) return static_cast<int>(wide.size());
  if (!dst || wide.size() > static_cast<std::size_t>(dstCount)) return 0;
  std::memcpy(dst, wide.data(), wide.size() * sizeof(char16_t));
  return static_cast<int>(wide.size());
}
