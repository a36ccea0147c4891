#include "platform/d3dx9/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <new>

#include "platform/win32/wide_text.h"

namespace {

// Closes the descriptor on every way out.
struct OpenFile {
  int fd;
  ~OpenFile() {
    if (fd >= 0) close(fd);
  }
};

}  // namespace

HRESULT ReadRegularFile(LPCWSTR file, std::size_t limit, const char* kind, std::string* bytes) {
  bytes->clear();
  std::string name = WideToUtf8(file);
  // Non-blocking, so that opening a pipe with no writer does not wait.
  OpenFile in{open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
  if (in.fd < 0) return E_FAIL;
  struct stat info;
  if (fstat(in.fd, &info) != 0) return E_FAIL;
  if (!S_ISREG(info.st_mode)) {
    std::fprintf(stderr, "%s %s: not a regular file, not read\n", kind, name.c_str());
    return E_FAIL;
  }
  if (info.st_size < 0 || std::size_t(info.st_size) > limit) {
    std::fprintf(stderr, "%s %s: larger than %zu bytes, not read\n", kind, name.c_str(), limit);
    return E_FAIL;
  }
  try {
    bytes->resize(std::size_t(info.st_size));
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  // A file that shrinks while we read it is cut where it ends; one that grows
  // is read only to the size it had.
  std::size_t done = 0;
  while (done < bytes->size()) {
    ssize_t got = read(in.fd, bytes->data() + done, bytes->size() - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return E_FAIL;
    if (got == 0) break;
    done += std::size_t(got);
  }
  bytes->resize(done);
  return S_OK;
}
