// Reading the lines of the map and profile files.
#pragma once
#include <cstdio>

#include "platform/types.h"

enum class LineRead {
  Line,     // a whole line is in the buffer
  TooLong,  // the line held capacity or more characters and was passed over
  End,      // nothing is left to read
};

// Reads the next line into line (capacity includes the terminator), without
// its line end: a newline, or a carriage return and a newline as written on
// other systems. A last line without a newline is read as well. A line too
// long for the buffer is read on to its end and dropped, so the next call
// reads the line after it.
LineRead ReadTextLine(std::FILE* file, char* line, i32 capacity);
