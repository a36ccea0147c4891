#include "tests/game/e2e_session.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "files/scrambling.h"
#include "tools/png_file/png_file.h"

namespace fs = std::filesystem;

namespace {

std::string SourceDir() {
  const char* dir = std::getenv("TUMBLOX_SOURCE_DIR");
  return dir ? dir : ".";
}

std::string Run(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe)) out += buffer;
    pclose(pipe);
  }
  return out;
}

// Which pixels of a rectangle are of a colour.
std::vector<bool> ColourMask(const std::vector<unsigned>& picture, int x0, int y0, int x1, int y1,
                             bool (*colour)(int red, int green, int blue)) {
  std::vector<bool> mask;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      const unsigned p = picture[size_t(y) * WindowWidth + x];
      mask.push_back(colour(int((p >> 16) & 0xFF), int((p >> 8) & 0xFF), int(p & 0xFF)));
    }
  return mask;
}

}  // namespace

void SleepMs(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

bool WaitUntil(const std::function<bool()>& done, int milliseconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (!done()) {
    if (std::chrono::steady_clock::now() >= end) return false;
    SleepMs(200);
  }
  return true;
}

GameFolder::GameFolder() {
  const fs::path res = folder.path / "res";
  fs::create_directories(res / "maps");
  fs::create_directories(res / "profile");
  // Copies, not links: the game steps into these folders and back out by "../..".
  fs::copy(SourceDir() + "/res/images", res / "images", fs::copy_options::recursive);
  fs::copy(SourceDir() + "/res/sounds", res / "sounds", fs::copy_options::recursive);
}

void GameFolder::WriteMap(const std::string& fileName, const std::vector<std::string>& lines) const {
  std::string bytes;
  for (std::string line : lines) {
    ScrambleText(line.data());
    bytes += line + "\n";
  }
  WriteWholeFile(folder.File("res/maps/" + fileName), bytes);
}

void GameFolder::CopyShippedMap(const std::string& fileName) const {
  fs::copy_file(SourceDir() + "/res/maps/" + fileName, folder.File("res/maps/" + fileName));
}

GameSession::GameSession(const GameFolder& folder) {
  const char* game = std::getenv("TUMBLOX_GAME");
  if (!game) return;
  const std::string program = fs::absolute(game).string();
  pid_ = fork();
  if (pid_ == 0) {
    if (chdir(folder.folder.path.c_str()) != 0) _exit(127);
    setenv("SDL_VIDEODRIVER", "x11", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    execl(program.c_str(), program.c_str(), "-windowed", "-startx:0", "-starty:0",
          "-noerrormsgboxes", static_cast<char*>(nullptr));
    _exit(127);
  }
  const std::string found = Run("timeout 60 xdotool search --sync --onlyvisible --name '^Tumblox$' | head -n1");
  window_ = std::strtoul(found.c_str(), nullptr, 10);
  if (!window_) return;
  Run("xdotool windowfocus --sync " + std::to_string(window_) + " 2>/dev/null");
  SleepMs(1500);  // the first frames, under a software renderer
}

GameSession::~GameSession() {
  if (WaitForExit(0) != -1) return;
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
}

std::vector<unsigned> GameSession::Grab() const {
  std::vector<unsigned> pixels(size_t(WindowWidth) * WindowHeight, 0);
  Display* display = XOpenDisplay(nullptr);
  if (!display) return pixels;
  if (XImage* image = XGetImage(display, window_, 0, 0, WindowWidth, WindowHeight, AllPlanes, ZPixmap)) {
    for (int y = 0; y < WindowHeight; ++y)
      for (int x = 0; x < WindowWidth; ++x)
        pixels[size_t(y) * WindowWidth + x] = unsigned(XGetPixel(image, x, y)) | 0xFF000000u;
    XDestroyImage(image);
  }
  XCloseDisplay(display);
  return pixels;
}

void GameSession::SavePicture(const std::string& name) const { ::SavePicture(name, Grab()); }

void SavePicture(const std::string& name, const std::vector<unsigned>& picture) {
  WritePng(PictureFolder() + "/" + name + ".png",
           std::vector<DWORD>(picture.begin(), picture.end()), WindowWidth, WindowHeight);
}

void GameSession::Click(int x, int y) const {
  Run("xdotool mousemove --window " + std::to_string(window_) + " " + std::to_string(x) + " " +
      std::to_string(y) + " click 1");
  SleepMs(300);
}

void GameSession::KeyDown(const std::string& key) const { Run("xdotool keydown " + key); }
void GameSession::KeyUp(const std::string& key) const { Run("xdotool keyup " + key); }

void GameSession::Key(const std::string& key) const {
  Run("xdotool key " + key);
  SleepMs(300);
}

void GameSession::CloseWindow() const {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window_;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window_, False, NoEventMask, &event);
  XFlush(display);
  XCloseDisplay(display);
}

int GameSession::WaitForExit(int milliseconds) {
  if (pid_ <= 0) return 0;
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  for (;;) {
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
    }
    if (std::chrono::steady_clock::now() >= end) return -1;
    SleepMs(50);
  }
}

double Difference(const std::vector<unsigned>& a, const std::vector<unsigned>& b, int x0, int y0,
                  int x1, int y1) {
  double sum = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      const unsigned p = a[size_t(y) * WindowWidth + x], q = b[size_t(y) * WindowWidth + x];
      for (int shift = 0; shift < 24; shift += 8)
        sum += std::abs(int((p >> shift) & 0xFF) - int((q >> shift) & 0xFF));
    }
  return sum / (3.0 * (x1 - x0) * (y1 - y0));
}

double Brightness(const std::vector<unsigned>& picture, int x0, int y0, int x1, int y1) {
  return Difference(picture, std::vector<unsigned>(picture.size(), 0), x0, y0, x1, y1);
}

std::pair<int, int> WhiteSpan(const std::vector<unsigned>& picture, int x0, int y0, int x1, int y1) {
  std::pair<int, int> span{-1, -1};
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      const unsigned p = picture[size_t(y) * WindowWidth + x];
      if (((p >> 16) & 0xFF) <= 215 || ((p >> 8) & 0xFF) <= 215 || (p & 0xFF) <= 215) continue;
      if (span.first < 0 || x < span.first) span.first = x;
      span.second = std::max(span.second, x);
    }
  return span;
}

std::vector<bool> YellowMask(const std::vector<unsigned>& picture, int x0, int y0, int x1, int y1) {
  return ColourMask(picture, x0, y0, x1, y1,
                    [](int r, int g, int b) { return r > 200 && g > 200 && b < 100; });
}

std::size_t NotFloorPixels(const std::vector<unsigned>& picture, int x0, int y0, int x1, int y1) {
  // Sandstone, lit or in shade, is red over green over blue and never far
  // from grey; the balls are green, blue or orange, and white.
  const std::vector<bool> other = ColourMask(picture, x0, y0, x1, y1, [](int r, int g, int b) {
    return !(r >= g && g >= b && r - b <= 90);
  });
  return std::size_t(std::count(other.begin(), other.end(), true));
}
