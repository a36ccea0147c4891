#include "files/widen_text.h"

void WidenText(WCHAR* destination, const char* text) {
  for (std::size_t i = 0;; ++i) {
    const u8 byte = static_cast<u8>(text[i]);
    destination[i] = static_cast<WCHAR>(byte < 0x80 ? byte : 0xFF00 | byte);
    if (byte == 0) return;
  }
}
