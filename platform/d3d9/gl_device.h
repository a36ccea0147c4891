// The OpenGL device: what the framework needs beyond the device interface.
#pragma once
#include <vector>

#include "platform/d3d9/d3d9.h"

struct SDL_Window;

// Asks SDL for the context this device draws with; call before the window
// is made.
void PrepareGLWindowAttributes();
// Makes a device drawing into `window` (made with SDL_WINDOW_OPENGL) with a
// back buffer of width × height pixels. The window's OpenGL context is made
// with the first device and kept until DestroyGLContext.
HRESULT CreateGLDevice(SDL_Window* window, D3DDEVTYPE type, UINT width, UINT height,
                       IDirect3DDevice9** device);
// The device's reset: a new back-buffer size, and every state, transform,
// light and binding back to its default. Resources are kept.
HRESULT ResetGLDevice(IDirect3DDevice9* device, UINT width, UINT height);
void DestroyGLContext();

// The back buffer as drawn since the last present (after a present it holds
// nothing to count on): 0xAARRGGBB, top row first.
HRESULT ReadGLBackBuffer(IDirect3DDevice9* device, std::vector<DWORD>* pixels, UINT* width,
                         UINT* height);

// The adapter: its formats and what its devices can do.
IDirect3D9* CreateGLDirect3D9();
void GetGLDeviceCaps(D3DDEVTYPE type, D3DCAPS9* caps);

// Where a back buffer of width × height shows in a window of the given
// size: the largest rectangle of its shape, centred. Window pixels, top left.
struct GLPresentRect {
  int x, y, width, height;
};
GLPresentRect PresentRectFor(UINT width, UINT height, int windowWidth, int windowHeight);
