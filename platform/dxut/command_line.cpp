#include "platform/dxut/command_line.h"

#include <cerrno>
#include <cstdlib>
#include <strings.h>

namespace {

std::vector<std::string> g_args;

bool ParseInt(const std::string& text, int low, int* out) {
  if (text.empty()) return false;
  errno = 0;
  char* end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (*end != '\0' || errno != 0 || value < low || value > 1000000) return false;
  *out = int(value);
  return true;
}

bool ParseSeconds(const std::string& text, double* out) {
  errno = 0;
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || errno != 0 || !(value > 0.0) || value > 3600.0) return false;
  *out = value;
  return true;
}

// Reads one flag (without its '-'); false when it is not one of ours or its
// value does not fit.
bool ReadFlag(const std::string& flag, DXUTCommandLine* c) {
  const size_t colon = flag.find(':');
  const std::string name = flag.substr(0, colon);
  const bool hasValue = colon != std::string::npos;
  const std::string value = hasValue ? flag.substr(colon + 1) : std::string();
  auto is = [&name](const char* known) { return strcasecmp(name.c_str(), known) == 0; };
  int n = 0;

  if (!hasValue) {
    if (is("windowed")) c->windowed = true;
    else if (is("fullscreen")) c->windowed = false;
    else if (is("forcehal")) c->deviceType = D3DDEVTYPE_HAL;
    else if (is("forceref")) c->deviceType = D3DDEVTYPE_REF;
    else if (is("forcepurehwvp"))
      c->behaviorFlags = D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_PUREDEVICE;
    else if (is("forcehwvp")) c->behaviorFlags = D3DCREATE_HARDWARE_VERTEXPROCESSING;
    else if (is("forceswvp")) c->behaviorFlags = D3DCREATE_SOFTWARE_VERTEXPROCESSING;
    else if (is("constantframetime")) c->constantFrameTime = 1.0 / 30.0;  // its default
    else if (is("noerrormsgboxes")) c->noErrorMsgBoxes = true;
    else return false;
    return true;
  }
  if (is("adapter") && ParseInt(value, 0, &n)) c->adapter = UINT(n);
  else if (is("width") && ParseInt(value, 1, &n)) c->width = n;
  else if (is("height") && ParseInt(value, 1, &n)) c->height = n;
  else if (is("startx") && ParseInt(value, -100000, &n)) c->startX = n;
  else if (is("starty") && ParseInt(value, -100000, &n)) c->startY = n;
  else if (is("quitafterframe") && ParseInt(value, 1, &n)) c->quitAfterFrame = n;
  else if (is("constantframetime")) {
    double seconds = 0.0;
    if (!ParseSeconds(value, &seconds)) return false;
    c->constantFrameTime = seconds;
  } else {
    return false;
  }
  return true;
}

}  // namespace

DXUTCommandLine ParseDXUTCommandLine(const std::vector<std::string>& args) {
  DXUTCommandLine c;
  for (const std::string& arg : args) {
    if (arg.size() < 2 || (arg[0] != '-' && arg[0] != '/')) continue;
    const std::string flag = arg.substr(1);
    if (!ReadFlag(flag, &c)) c.unrecognized.push_back(flag);
  }
  return c;
}

void DXUTSetCommandLine(int argc, char** argv) {
  g_args.assign(argv + (argc > 0 ? 1 : 0), argv + argc);
}

const std::vector<std::string>& DXUTGetCommandLineArgs() { return g_args; }
