// SDL's events as the window messages and virtual-key codes the callbacks
// take.
#pragma once
#include <SDL2/SDL.h>

#include <vector>

#include "platform/win32/win32.h"

struct WindowMessage {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// Where the back buffer shows in the window, to put mouse positions in
// back-buffer pixels.
struct MousePlacement {
  int x, y, width, height;   // the back buffer's rectangle, window pixels
  UINT bufferWidth, bufferHeight;
  UINT heldButtons;          // MK_* flags after the event
};

// The virtual-key code of a key; 0 for a key without one.
UINT VirtualKeyFromSDL(SDL_Keycode key);

// Appends the messages of one event to `out` (none for events the window
// does not hear of).
void TranslateSDLEvent(const SDL_Event& event, const MousePlacement& mouse,
                       std::vector<WindowMessage>* out);
