// Tagged elements of the map and profile lines: "<KEY>value</KEY>".
#pragma once
#include <memory>
#include <string>

#include "platform/types.h"

// Capacities of the element values, terminator included.
constexpr i32 ElementTextCapacity = 1024;
constexpr i32 ElementShortCapacity = 256;

// "<" name ">" and "</" name ">". Keys of any length are kept whole.
std::string MakeOpenTag(const char* name);
std::string MakeCloseTag(const char* name);

// Index of the first occurrence of pattern in text; -1 when there is none
// or when either text is empty.
i32 FindTextIndex(const char* text, const char* pattern);

// The value of key's element in line: the text between the first opening
// tag and the first closing tag anywhere in the line. Empty when the element
// is missing, when the closing tag comes first, and when the value does not
// fit the capacity (1023 or 255 characters).
std::unique_ptr<char[]> ExtractElementText(const char* line, const char* key);
std::unique_ptr<char[]> ExtractElementShort(const char* text, const char* key);
