// Opening and reading data files whose content nobody vouches for.
#pragma once
#include <sys/types.h>

#include <cstddef>
#include <string>

#include "platform/win32/win32.h"

// A regular file open for reading, with the size it had when opened and what
// tells it from every other file; closed with this object.
struct RegularFile {
  int descriptor = -1;
  std::size_t size = 0;
  dev_t device = 0;
  ino_t inode = 0;

  RegularFile() = default;
  RegularFile(const RegularFile&) = delete;
  RegularFile& operator=(const RegularFile&) = delete;
  ~RegularFile();
};

// Opens `path` when it is a regular file of at most `limit` bytes. A folder,
// a device or a pipe is refused without waiting on it, as is a larger file;
// refusals are named on standard error with `kind`. E_FAIL for those and for
// a file that cannot be opened (quietly).
HRESULT OpenRegularFile(const char* path, std::size_t limit, const char* kind, RegularFile* file);

// The open file's bytes, at most the size it had when opened: a file that
// shrinks meanwhile is cut where it ends. E_FAIL, E_OUTOFMEMORY.
HRESULT ReadWholeFile(const RegularFile& file, std::string* bytes);

// OpenRegularFile, then ReadWholeFile.
HRESULT ReadRegularFile(const char* path, std::size_t limit, const char* kind, std::string* bytes);
