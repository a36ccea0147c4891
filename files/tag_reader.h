// A cursor over a MapScores value that hands out the keys of its elements.
#pragma once
#include <string>

#include "platform/types.h"

struct TagReader {
  char text[1024];   // copy of the value, cut to 1023 characters
  i32 readPosition;  // where the next search starts
  i32 textLength;

  explicit TagReader(const char* value);

  // The key of the next element, or the empty text when there is none; then
  // steps over that element's value and closing tag. The key is returned
  // whole, whatever its length: the caller decides what it accepts.
  std::string NextTag();
};
