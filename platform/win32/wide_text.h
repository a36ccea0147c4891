// Helpers of the platform layer for 16-bit wide text.
#pragma once
#include <cstddef>
#include <string>

#include "platform/win32/win32.h"

// Characters before the terminator.
std::size_t WideLength(LPCWSTR text);
// The character at `*i` of `text` (`length` units), a surrogate pair joined
// and a lone half of one as U+FFFD; moves `*i` past it.
char32_t NextCodePoint(LPCWSTR text, std::size_t length, std::size_t* i);
// UTF-16 (surrogate pairs joined) to UTF-8, for file names and fonts.
std::string WideToUtf8(LPCWSTR text);
// UTF-8 to UTF-16; invalid bytes become U+FFFD.
std::u16string Utf8ToWide(const char* text, std::size_t length);
