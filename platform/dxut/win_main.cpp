// The process's entry: the command line goes to the framework and, joined,
// to the game's WinMain, which runs in the game's folder.
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/dxut/command_line.h"
#include "platform/dxut/dxut.h"

namespace {

// The game opens its data by relative paths ("res/..."). Started from
// another folder, it moves to the nearest folder above its program that
// holds that data, so it runs wherever it is started from.
void EnterGameFolder() {
  namespace fs = std::filesystem;
  std::error_code error;
  if (fs::is_directory("res", error)) return;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  if (error) return;
  for (fs::path folder = program.parent_path(); !folder.empty(); folder = folder.parent_path()) {
    if (fs::is_directory(folder / "res" / "maps", error)) {
      fs::current_path(folder, error);
      return;
    }
    if (folder == folder.root_path()) return;
  }
}

}  // namespace

int main(int argc, char** argv) {
  DXUTSetCommandLine(argc, argv);
  EnterGameFolder();
  std::string line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) line += ' ';
    line += argv[i];
  }
  return WinMain(nullptr, nullptr, line.data(), 1 /* SW_SHOWNORMAL */);
}
