#include "platform/win32/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <new>

RegularFile::~RegularFile() {
  if (descriptor >= 0) close(descriptor);
}

HRESULT OpenRegularFile(const char* path, std::size_t limit, const char* kind, RegularFile* file) {
  // Non-blocking, so that opening a pipe with no writer does not wait.
  file->descriptor = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (file->descriptor < 0) return E_FAIL;
  struct stat info;
  if (fstat(file->descriptor, &info) != 0) return E_FAIL;
  if (!S_ISREG(info.st_mode)) {
    std::fprintf(stderr, "%s %s: not a regular file, not read\n", kind, path);
    return E_FAIL;
  }
  if (info.st_size < 0 || std::size_t(info.st_size) > limit) {
    std::fprintf(stderr, "%s %s: larger than %zu bytes, not read\n", kind, path, limit);
    return E_FAIL;
  }
  file->size = std::size_t(info.st_size);
  file->device = info.st_dev;
  file->inode = info.st_ino;
  return S_OK;
}

HRESULT ReadWholeFile(const RegularFile& file, std::string* bytes) {
  bytes->clear();
  try {
    bytes->resize(file.size);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  // A file that grows while we read it is read only to the size it had.
  std::size_t done = 0;
  while (done < bytes->size()) {
    ssize_t got = read(file.descriptor, bytes->data() + done, bytes->size() - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return E_FAIL;
    if (got == 0) break;
    done += std::size_t(got);
  }
  bytes->resize(done);
  return S_OK;
}

HRESULT ReadRegularFile(const char* path, std::size_t limit, const char* kind, std::string* bytes) {
  bytes->clear();
  RegularFile file;
  HRESULT hr = OpenRegularFile(path, limit, kind, &file);
  return FAILED(hr) ? hr : ReadWholeFile(file, bytes);
}
