// The window's OpenGL context: made with its first device and kept across
// device re-creations, so that resources a device leaves behind are still
// names of the current context when they are let go.
#include <SDL2/SDL.h>
#include <dlfcn.h>
#include <link.h>

#include <cstdio>

#include "platform/d3d9/gl_api.h"
#include "platform/d3d9/gl_device_impl.h"

namespace {
SDL_GLContext g_context = nullptr;
SDL_Window* g_contextWindow = nullptr;

// OpenGL 2.1 with framebuffer objects (core in 3.0, else the extension).
bool ContextIsUsable() {
  int major = 0, minor = 0;
  const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  if (!version || std::sscanf(version, "%d.%d", &major, &minor) != 2) return false;
  if (major < 2 || (major == 2 && minor < 1)) return false;
  return major >= 3 || SDL_GL_ExtensionSupported("GL_ARB_framebuffer_object");
}
// Keeps the OpenGL driver (and every library loaded with it) for the rest
// of the process: SDL lets it go with the window, and loading it again for
// the next window costs its whole start-up, compiler included. Memory the
// driver keeps in its own globals also stays reachable.
void KeepDriverLoaded() {
  static bool kept = false;
  if (kept) return;
  kept = true;
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void*) {
        if (info->dlpi_name && info->dlpi_name[0])
          dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
        return 0;
      },
      nullptr);
}

}  // namespace

void PrepareGLWindowAttributes() {
  SDL_GL_ResetAttributes();
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  // The window's own depth and stencil, for drawing straight into it.
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
}

void DestroyGLContext() {
  if (g_context) SDL_GL_DeleteContext(g_context);
  g_context = nullptr;
  g_contextWindow = nullptr;
}

HRESULT CreateGLDevice(SDL_Window* window, D3DDEVTYPE type, UINT width, UINT height,
                       IDirect3DDevice9** device) {
  if (!window || !device || width == 0 || height == 0) return D3DERR_INVALIDCALL;
  *device = nullptr;
  if (g_context && g_contextWindow != window) DestroyGLContext();
  if (!g_context) {
    g_context = SDL_GL_CreateContext(window);
    if (!g_context) return D3DERR_NOTAVAILABLE;
    g_contextWindow = window;
    KeepDriverLoaded();
  }
  if (SDL_GL_MakeCurrent(window, g_context) != 0 || !ContextIsUsable()) {
    DestroyGLContext();
    return D3DERR_NOTAVAILABLE;
  }
  SDL_GL_SetSwapInterval(0);  // no wait for the display's refresh
  auto* made = new GLDevice(window, type);
  const HRESULT hr = made->Reset(width, height);
  if (FAILED(hr)) {
    made->Release();
    return hr;
  }
  *device = made;
  return D3D_OK;
}

HRESULT ResetGLDevice(IDirect3DDevice9* device, UINT width, UINT height) {
  if (!device) return D3DERR_INVALIDCALL;
  return static_cast<GLDevice*>(device)->Reset(width, height);
}

HRESULT ReadGLBackBuffer(IDirect3DDevice9* device, std::vector<DWORD>* pixels, UINT* width,
                         UINT* height) {
  if (!device || !pixels) return D3DERR_INVALIDCALL;
  auto* gl = static_cast<GLDevice*>(device);
  gl->ReadBackBuffer(pixels);
  if (width) *width = gl->width();
  if (height) *height = gl->height();
  return D3D_OK;
}
