#include "platform/d3dx9/file_bytes.h"

#include "platform/win32/regular_file.h"
#include "platform/win32/wide_text.h"

HRESULT ReadRegularFile(LPCWSTR file, std::size_t limit, const char* kind, std::string* bytes) {
  return ReadRegularFile(WideToUtf8(file).c_str(), limit, kind, bytes);
}
