// The keys: tilt flags shared by the arrows and WASD, and the command
// keys, which act on release whatever the screen and the buttons show.
#include "game/flow_commands.h"
#include "game/game_values.h"
#include "world/tilt.h"

namespace {

// The tilt flag a key holds, or -1.
int TiltFlagOf(UINT key) {
  switch (key) {
    case VK_LEFT: case 'A': return TiltLeft;
    case VK_RIGHT: case 'D': return TiltRight;
    case VK_DOWN: case 'S': return TiltDown;
    case VK_UP: case 'W': return TiltUp;
    default: return -1;
  }
}

}  // namespace

void OnKeyboard(UINT key, bool keyDown, bool) {
  if (const int flag = TiltFlagOf(key); flag >= 0) {
    TiltKeys[flag] = keyDown ? 1 : 0;
    return;
  }
  if (keyDown) return;
  switch (key) {
    case VK_RETURN:
      if (!GameStarted) StartGame();
      break;
    case 'L':
      RestartLevel();
      break;
    case 'R':
      RestartGame();
      break;
    default:
      break;
  }
}
