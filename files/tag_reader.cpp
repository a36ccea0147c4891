#include "files/tag_reader.h"

#include <cstring>

TagReader::TagReader(const char* value) {
  const std::size_t length = strnlen(value, sizeof text - 1);
  std::memcpy(text, value, length);
  text[length] = '\0';
  readPosition = 0;
  textLength = static_cast<i32>(length);
}

std::string TagReader::NextTag() {
  i32 open = -1;
  i32 close = -1;
  i32 i = readPosition;
  for (; i < textLength; ++i) {
    if (text[i] == '<') {
      open = i;
    } else if (text[i] == '>') {
      close = i;
      break;
    }
  }
  readPosition = i + 1;
  while (readPosition < textLength && text[readPosition] != '>') ++readPosition;
  ++readPosition;
  if (open == -1 || close == -1) return std::string();
  return std::string(text + open + 1, text + close);
}
