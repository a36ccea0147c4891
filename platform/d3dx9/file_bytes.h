// Reading a whole data file named in wide text (see regular_file.h).
#pragma once
#include <cstddef>
#include <string>

#include "platform/win32/win32.h"

// ReadRegularFile of the file's UTF-8 name.
HRESULT ReadRegularFile(LPCWSTR file, std::size_t limit, const char* kind, std::string* bytes);
