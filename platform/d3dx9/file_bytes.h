// Reading a whole data file whose content nobody vouches for.
#pragma once
#include <cstddef>
#include <string>

#include "platform/win32/win32.h"

// Reads `file` into `bytes` when it is a regular file of at most `limit`
// bytes. A directory, a device or a pipe is refused without waiting on it,
// as is a larger file; refusals are named on standard error with `kind`.
// E_FAIL for those and for a file that cannot be opened (quietly), and
// E_OUTOFMEMORY.
HRESULT ReadRegularFile(LPCWSTR file, std::size_t limit, const char* kind, std::string* bytes);
