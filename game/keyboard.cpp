// The keys: tilt flags shared by the arrows and WASD, and the command
// keys, which act on release whatever the screen and the buttons show.
#include "game/flow_commands.h"
#include "game/game_values.h"
#include "game/menu_buttons.h"
#include "world/scene.h"
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

// Enter stands for Start Game!, which the tutorial switches off: a game
// started there would go on running the tutorial.
bool TitleShown() { return !GameStarted && !(CurrentScene && CurrentScene->tutorial); }

// Under the exit prompt a command acts on the screen beneath: the prompt
// is lifted for it and laid again over what it made, so that only Yes and
// No stay to click and No shows that screen.
void RunCommand(void (*command)()) {
  if (!ExitPromptShown) return command();
  CloseExitPrompt();
  command();
  OpenExitPrompt();
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
      if (TitleShown()) RunCommand(StartGame);
      break;
    case 'L':
      RunCommand(RestartLevel);
      break;
    case 'R':
      RunCommand(RestartGame);
      break;
    default:
      break;
  }
}
