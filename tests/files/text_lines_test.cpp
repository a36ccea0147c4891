#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "files/text_lines.h"

namespace {

// Every line ReadTextLine hands out before it stops.
std::vector<std::string> ReadAll(std::string bytes, i32 capacity) {
  std::FILE* file = fmemopen(bytes.data(), bytes.size(), "rb");
  std::vector<std::string> lines;
  std::vector<char> line(capacity);
  while (ReadTextLine(file, line.data(), capacity)) lines.emplace_back(line.data());
  std::fclose(file);
  return lines;
}

using Lines = std::vector<std::string>;

}  // namespace

TEST(ReadTextLine, NewlineAndCarriageReturnNewlineEndLinesAlike) {
  EXPECT_EQ(ReadAll("one\ntwo\n", 16), (Lines{"one", "two"}));
  EXPECT_EQ(ReadAll("one\r\ntwo\r\n", 16), (Lines{"one", "two"}));
  EXPECT_EQ(ReadAll("one\r\n\r\nlast", 16), (Lines{"one", "", "last"}));
}

TEST(ReadTextLine, ACarriageReturnElsewhereIsPartOfTheLine) {
  EXPECT_EQ(ReadAll("a\rb\n\r\r\n", 16), (Lines{"a\rb", "\r"}));
  EXPECT_EQ(ReadAll("end\r", 16), (Lines{"end\r"}));
}

TEST(ReadTextLine, NothingLeftReadsNothing) {
  EXPECT_EQ(ReadAll("", 16), Lines{});
  EXPECT_EQ(ReadAll("\n", 16), (Lines{""}));
}

TEST(ReadTextLine, ALineThatDoesNotFitEndsTheReading) {
  const std::string fits(7, 'x');
  const std::string over(8, 'y');
  EXPECT_EQ(ReadAll(fits + "\n" + fits + "\r\n" + fits, 8), (Lines{fits, fits, fits}));
  EXPECT_EQ(ReadAll("a\n" + over + "\nb\n", 8), (Lines{"a"}));
  EXPECT_EQ(ReadAll("a\n" + over, 8), (Lines{"a"}));
  EXPECT_EQ(ReadAll("a\n" + fits + "\r\r\n", 8), (Lines{"a"}));
}
