#include "platform/dxut/media_search.h"

#include <sys/stat.h>

#include <string>

#include "platform/win32/wide_text.h"

namespace {

const HRESULT kFileNotFound = static_cast<HRESULT>(0x80070002);

bool IsFile(const std::u16string& path) {
  struct stat info;
  return stat(WideToUtf8(path.c_str()).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

HRESULT CopyOut(WCHAR* dest, int destCount, const std::u16string& text, HRESULT result) {
  if (text.size() + 1 > static_cast<size_t>(destCount)) return E_INVALIDARG;
  text.copy(dest, text.size());
  dest[text.size()] = 0;
  return result;
}

}  // namespace

HRESULT DXUTFindDXSDKMediaFileCch(WCHAR* dest, int destCount, LPCWSTR filename) {
  if (!dest || !filename || destCount < 1) return E_INVALIDARG;
  std::u16string name(filename);
  for (const char16_t* prefix : {u"", u"../", u"../../"}) {
    std::u16string path = prefix + name;
    if (IsFile(path)) return CopyOut(dest, destCount, path, S_OK);
  }
  return CopyOut(dest, destCount, name, kFileNotFound);
}
