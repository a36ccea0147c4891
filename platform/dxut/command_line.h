// The framework's command-line flags. A flag starts with '-' or '/', its
// name matches without regard to case, and a value follows a ':'.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/d3d9/d3d9.h"

struct DXUTCommandLine {
  std::optional<UINT> adapter;
  std::optional<bool> windowed;
  std::optional<D3DDEVTYPE> deviceType;       // -forcehal, -forceref
  std::optional<DWORD> behaviorFlags;         // -forcepurehwvp, -forcehwvp, -forceswvp
  std::optional<int> width, height, startX, startY;
  std::optional<double> constantFrameTime;    // seconds per frame
  std::optional<int> quitAfterFrame;
  bool noErrorMsgBoxes = false;
  std::vector<std::string> unrecognized;      // each flag as written, without its '-'
};

// Reads `args` (the program's arguments, without its name). Words that are
// not flags are passed over.
DXUTCommandLine ParseDXUTCommandLine(const std::vector<std::string>& args);

// The arguments DXUTInit parses; main() sets them from argv.
void DXUTSetCommandLine(int argc, char** argv);
const std::vector<std::string>& DXUTGetCommandLineArgs();
