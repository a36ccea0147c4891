#include "files/text_lines.h"

namespace {

LineRead PassOverRestOfLine(std::FILE* file) {
  for (int c = std::getc(file); c != EOF && c != '\n'; c = std::getc(file)) {
  }
  return LineRead::TooLong;
}

}  // namespace

LineRead ReadTextLine(std::FILE* file, char* line, i32 capacity) {
  i32 length = 0;
  bool pendingReturn = false;
  int c = std::getc(file);
  if (c == EOF) return LineRead::End;
  for (; c != EOF && c != '\n'; c = std::getc(file)) {
    // A carriage return is held back until we know whether the newline
    // follows it, so that it never counts against the capacity.
    if (pendingReturn) {
      if (length >= capacity - 1) return PassOverRestOfLine(file);
      line[length++] = '\r';
      pendingReturn = false;
    }
    if (c == '\r') {
      pendingReturn = true;
      continue;
    }
    if (length >= capacity - 1) return PassOverRestOfLine(file);
    line[length++] = static_cast<char>(c);
  }
  if (pendingReturn && c == EOF) {
    if (length >= capacity - 1) return LineRead::TooLong;
    line[length++] = '\r';
  }
  line[length] = '\0';
  return LineRead::Line;
}
