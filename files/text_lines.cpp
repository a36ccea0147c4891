#include "files/text_lines.h"

#include "platform/win32/regular_file.h"

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

TextFile::~TextFile() {
  if (lines) std::fclose(lines);
}

bool OpenTextFile(const char* path, std::size_t maxBytes, const char* kind, TextFile* file) {
  if (FAILED(ReadRegularFile(path, maxBytes, kind, &file->bytes))) return false;
  file->lines = fmemopen(file->bytes.data(), file->bytes.size(), "rb");
  return file->lines != nullptr;
}
