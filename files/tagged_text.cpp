#include "files/tagged_text.h"

#include <cstring>

std::string MakeOpenTag(const char* name) {
  return std::string("<") + name + ">";
}

std::string MakeCloseTag(const char* name) {
  return std::string("</") + name + ">";
}

i32 FindTextIndex(const char* text, const char* pattern) {
  if (pattern[0] == '\0') return -1;
  const char* found = std::strstr(text, pattern);
  return found ? static_cast<i32>(found - text) : -1;
}

namespace {

std::unique_ptr<char[]> ExtractElement(const char* line, const char* key, i32 capacity) {
  auto result = std::make_unique<char[]>(capacity);
  result[0] = '\0';
  const std::string open = MakeOpenTag(key);
  const std::string close = MakeCloseTag(key);
  const i32 i = FindTextIndex(line, open.c_str());
  if (i == -1) return result;
  const i32 start = i + static_cast<i32>(open.size());
  // The closing tag is searched from the start of the line, not of the value.
  const i32 j = FindTextIndex(line, close.c_str());
  if (j == -1 || start >= j) return result;
  // A value that does not fit is refused rather than cut: a cut name or
  // number would be a different one.
  const i32 length = j - start;
  if (length >= capacity) return result;
  std::memcpy(result.get(), line + start, length);
  result[length] = '\0';
  return result;
}

}  // namespace

std::unique_ptr<char[]> ExtractElementText(const char* line, const char* key) {
  return ExtractElement(line, key, ElementTextCapacity);
}

std::unique_ptr<char[]> ExtractElementShort(const char* text, const char* key) {
  return ExtractElement(text, key, ElementShortCapacity);
}
