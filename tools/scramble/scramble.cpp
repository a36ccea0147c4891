// scramble encode|decode IN OUT
//
// Scrambles a plain text file line by line with the game's key, as map files
// and the profile are stored, or turns such a file back into plain text. The
// game never writes map files: whoever makes one writes it plain and encodes
// it with this tool. A carriage return before a newline is taken for part of
// the line end; the output ends every line with a plain newline.
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#include "files/scrambling.h"

namespace {

// Stored bytes that would end a line or the file when the game reads it.
bool IsUnstorable(char byte) {
  return byte == '\0' || byte == '\n' || byte == '\r' || byte == '\x1A';
}

int Fail(const std::string& message) {
  std::cerr << "scramble: " << message << "\n";
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  const bool encode = argc == 4 && std::strcmp(argv[1], "encode") == 0;
  const bool decode = argc == 4 && std::strcmp(argv[1], "decode") == 0;
  if (!encode && !decode) {
    std::cerr << "usage: scramble encode|decode IN OUT\n";
    return 2;
  }
  std::ifstream in(argv[2], std::ios::binary);
  if (!in) return Fail(std::string("cannot read ") + argv[2]);

  std::string output;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find('\0') != std::string::npos) {
      return Fail("line " + std::to_string(number) + " holds a zero byte");
    }
    if (encode) {
      ScrambleText(line.data());
      for (char byte : line) {
        if (IsUnstorable(byte)) {
          return Fail("line " + std::to_string(number) +
                      " holds a character that cannot be stored scrambled");
        }
      }
    } else {
      UnscrambleText(line.data());
    }
    output += line;
    output += '\n';
  }
  if (in.bad()) return Fail(std::string("cannot read ") + argv[2]);

  std::ofstream out(argv[3], std::ios::binary | std::ios::trunc);
  out << output;
  out.close();
  if (!out) return Fail(std::string("cannot write ") + argv[3]);
  return 0;
}
