// Bounded copies into the game's fixed text fields. Names come from map
// files, so every copy into a record goes through here and is cut to fit.
#pragma once
#include <cstddef>
#include <cstring>

// Copies `source` into `dest` of `size` bytes (size >= 1): at most size - 1
// characters, always terminated. A null source gives the empty text.
inline void CopyText(char* dest, std::size_t size, const char* source) {
  std::size_t n = 0;
  if (source) {
    n = strnlen(source, size - 1);
    std::memmove(dest, source, n);
  }
  dest[n] = '\0';
}

template <std::size_t N>
inline void CopyText(char (&dest)[N], const char* source) {
  static_assert(N > 0);
  CopyText(dest, N, source);
}
