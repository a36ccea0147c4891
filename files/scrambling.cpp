#include "files/scrambling.h"

#include <cstring>

namespace {

char* ShiftText(char* text, u8 delta) {
  const std::size_t n = std::strlen(text);
  for (std::size_t i = 0; i < n; ++i) {
    const u8 byte = static_cast<u8>(text[i]);
    if (byte != '\n') text[i] = static_cast<char>(static_cast<u8>(byte + delta));
  }
  return text;
}

}  // namespace

char* ScrambleText(char* text) {
  return ShiftText(text, static_cast<u8>(-ScrambleKey));
}

char* UnscrambleText(char* text) {
  return ShiftText(text, ScrambleKey);
}
