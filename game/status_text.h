// The text overlay of every frame: the data notice, the quit question, the
// tutorial's text, the end of the game, the cleared or failed line, score,
// time and level, or the credits on the title screen.
#pragma once
#include "platform/d3d9/d3d9.h"

// Draws with StatusFont and StatusSprite. While DataInconsistent it also
// mutes and stops the music and hides the menu buttons.
void DrawStatusText(IDirect3DDevice9* device);
