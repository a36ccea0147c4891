#include <unistd.h>

#include <cstring>

#include "platform/win32/wide_text.h"

BOOL SetCurrentDirectoryW(LPCWSTR path) {
  if (!path) return FALSE;
  return chdir(WideToUtf8(path).c_str()) == 0 ? TRUE : FALSE;
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
