// The picture of a frame: clear, the game's half of the frame, the lights,
// every object to be seen, the status text and the buttons.
#pragma once
#include "platform/d3d9/d3d9.h"

constexpr D3DCOLOR ClearColour = 0x00424B79;

void OnFrameRender(IDirect3DDevice9* device, double time, float elapsed);
// The shown LIGHT objects of the current scene in list order, or one white
// light straight down; dimmed under the exit prompt. Never disables one.
void SetSceneLights(IDirect3DDevice9* device);
// Every object to be seen, in list order; a popped ball's twin in its place.
void DrawSceneObjects(IDirect3DDevice9* device);
