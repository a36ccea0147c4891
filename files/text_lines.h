// Reading the lines of the map and profile files.
#pragma once
#include <cstddef>
#include <cstdio>
#include <string>

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

// A data file read whole into memory, so that reading it stays bounded
// whatever the file does meanwhile; its lines are read from `lines`.
struct TextFile {
  std::string bytes;
  std::FILE* lines = nullptr;

  TextFile() = default;
  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;
  ~TextFile();
};

// Reads `path` into `file` when it is a regular file of at most maxBytes.
// A folder, a pipe, a device or a larger file is refused without waiting on
// it, with a line on standard error naming `kind`; a file that cannot be
// opened is refused quietly. False when refused.
bool OpenTextFile(const char* path, std::size_t maxBytes, const char* kind, TextFile* file);
