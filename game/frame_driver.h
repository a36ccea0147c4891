// The game half of a frame: the clock, the level state machine with its
// 10 ms step and countdown, clearing, failure, the map chain and the music.
#pragma once
#include "platform/d3d9/d3d9.h"

// Reads the framework's global clock once (ms, 32-bit float), runs the level
// state machine unless the data notice or the exit prompt freezes it, then
// keeps the music playing. Does nothing that needs a Scene or a level clock
// while there is none. Called by OnFrameRender after the clear.
void AdvanceGame(IDirect3DDevice9* device);
