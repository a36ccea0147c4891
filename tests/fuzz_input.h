// The file each fuzzing run writes its input to: by default one of the
// fuzzer's own in the temporary folder, removed at exit.
#pragma once
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

inline const char* FuzzFile() {
  static char path[] = "/tmp/tumblox-fuzz-XXXXXX";  // no destructor: still there at exit
  static const int made = [] {
    const int descriptor = mkstemp(path);
    if (descriptor == -1) std::abort();
    close(descriptor);
    return std::atexit([] { std::remove(path); });
  }();
  (void)made;
  return path;
}

inline void WriteFuzzInput(const std::uint8_t* data, std::size_t size, const char* path = FuzzFile()) {
  std::FILE* file = std::fopen(path, "wb");
  if (!file || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0) std::abort();
}
