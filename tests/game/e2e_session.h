// The game as a player runs it, on the X display the test runs under: a
// folder of its own with the shipped models and sounds and the test's maps,
// the program started there, real clicks and keys through xdotool, and the
// window's pixels read back.
#pragma once
#include <sys/types.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tests/files/temp_folder.h"

// A game folder: copies of res/images and res/sounds of the source tree, an empty
// res/profile, and res/maps holding the maps written into it.
struct GameFolder {
  GameFolder();
  // Writes a plain-text map, scrambled as the game reads it.
  void WriteMap(const std::string& fileName, const std::vector<std::string>& lines) const;
  void CopyShippedMap(const std::string& fileName) const;
  std::string ProfilePath() const { return folder.File("res/profile/profile.mnd"); }
  TempFolder folder;
};

// One run of the game, windowed at 1024 × 768 in the top left corner.
class GameSession {
 public:
  explicit GameSession(const GameFolder& folder);
  ~GameSession();
  bool Started() const { return window_ != 0; }

  // Window pixels, 0xAARRGGBB, top row first.
  std::vector<unsigned> Grab() const;
  // Saves what the window shows now as "<name>.png" in the picture folder.
  void SavePicture(const std::string& name) const;
  void Click(int x, int y) const;
  void KeyDown(const std::string& key) const;
  void KeyUp(const std::string& key) const;
  void Key(const std::string& key) const;
  // Asks the window to close as a window manager's close button does.
  void CloseWindow() const;
  // The exit status once the program has ended, or -1 after the timeout.
  int WaitForExit(int milliseconds);

 private:
  pid_t pid_ = -1;
  unsigned long window_ = 0;
};

constexpr int WindowWidth = 1024, WindowHeight = 768;

// Mean absolute difference per channel over a rectangle of two pictures.
double Difference(const std::vector<unsigned>& a, const std::vector<unsigned>& b, int x0, int y0,
                  int x1, int y1);
// Mean of red, green and blue over a rectangle.
double Brightness(const std::vector<unsigned>& picture, int x0, int y0, int x1, int y1);
// The first and last column of a rectangle holding a near-white pixel (a
// caption's letters), or {-1, -1}.
std::pair<int, int> WhiteSpan(const std::vector<unsigned>& picture, int x0, int y0, int x1, int y1);
void SleepMs(int milliseconds);
// Saves a grabbed picture as "<name>.png" in the picture folder.
void SavePicture(const std::string& name, const std::vector<unsigned>& picture);
// Which pixels of a rectangle are the status text's yellow.
std::vector<bool> YellowMask(const std::vector<unsigned>& picture, int x0, int y0, int x1, int y1);
// How many pixels of a rectangle of the floor are not its sandstone: a
// ball's, whichever of its looks it wears.
std::size_t NotFloorPixels(const std::vector<unsigned>& picture, int x0, int y0, int x1, int y1);
// Looks every 200 ms until `done` holds; false after the timeout.
bool WaitUntil(const std::function<bool()>& done, int milliseconds);
