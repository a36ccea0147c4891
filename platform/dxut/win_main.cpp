// The process's entry: the command line goes to the framework and, joined,
// to the game's WinMain.
#include <string>

#include "platform/dxut/command_line.h"
#include "platform/dxut/dxut.h"

int main(int argc, char** argv) {
  DXUTSetCommandLine(argc, argv);
  std::string line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) line += ' ';
    line += argv[i];
  }
  return WinMain(nullptr, nullptr, line.data(), 1 /* SW_SHOWNORMAL */);
}
