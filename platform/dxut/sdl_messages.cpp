#include "platform/dxut/sdl_messages.h"

#include <algorithm>

UINT VirtualKeyFromSDL(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return UINT('A' + (key - SDLK_a));
  if (key >= SDLK_0 && key <= SDLK_9) return UINT('0' + (key - SDLK_0));
  if (key >= SDLK_F1 && key <= SDLK_F12) return UINT(VK_F1 + (key - SDLK_F1));
  switch (key) {
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_TAB: return VK_TAB;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return VK_RETURN;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return VK_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return VK_CONTROL;
    case SDLK_LALT:
    case SDLK_RALT: return VK_MENU;
    case SDLK_PAUSE: return VK_PAUSE;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_PAGEUP: return VK_PRIOR;
    case SDLK_PAGEDOWN: return VK_NEXT;
    case SDLK_END: return VK_END;
    case SDLK_HOME: return VK_HOME;
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_UP: return VK_UP;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_DOWN: return VK_DOWN;
    case SDLK_INSERT: return VK_INSERT;
    case SDLK_DELETE: return VK_DELETE;
  }
  return 0;
}

namespace {

LPARAM BufferPoint(const MousePlacement& m, int x, int y) {
  auto scale = [](int at, int origin, int size, UINT buffer) {
    if (size <= 0) return 0;
    return int((long long)(at - origin) * buffer / size);
  };
  return MAKELPARAM(scale(x, m.x, m.width, m.bufferWidth), scale(y, m.y, m.height, m.bufferHeight));
}

void Key(const SDL_KeyboardEvent& key, std::vector<WindowMessage>* out) {
  const UINT vk = VirtualKeyFromSDL(key.keysym.sym);
  if (vk == 0) return;
  const bool down = key.type == SDL_KEYDOWN;
  const bool alt = (key.keysym.mod & KMOD_ALT) != 0 || vk == VK_MENU;
  // Repeat count 1, Alt held, key down before, key going up. The scan-code
  // bits stay 0: SDL's codes are not the keyboard's.
  DWORD bits = 1u;
  if (alt) bits |= 1u << 29;
  if (!down || key.repeat) bits |= 1u << 30;
  if (!down) bits |= 1u << 31;
  const UINT message = down ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
  out->push_back({message, WPARAM(vk), LPARAM(bits)});
}

void Button(const SDL_MouseButtonEvent& button, const MousePlacement& m,
            std::vector<WindowMessage>* out) {
  const bool down = button.type == SDL_MOUSEBUTTONDOWN;
  UINT message;
  switch (button.button) {
    case SDL_BUTTON_LEFT:
      message = down ? (button.clicks == 2 ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN) : WM_LBUTTONUP;
      break;
    case SDL_BUTTON_RIGHT:
      message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
      break;
    case SDL_BUTTON_MIDDLE:
      message = down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
      break;
    default:
      return;
  }
  out->push_back({message, WPARAM(m.heldButtons), BufferPoint(m, button.x, button.y)});
}

void Window(const SDL_WindowEvent& window, std::vector<WindowMessage>* out) {
  switch (window.event) {
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      out->push_back({WM_SIZE, SIZE_RESTORED, MAKELPARAM(window.data1, window.data2)});
      break;
    case SDL_WINDOWEVENT_MINIMIZED:
      out->push_back({WM_SIZE, SIZE_MINIMIZED, 0});
      break;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED: {
      int w = 0, h = 0;
      SDL_GetWindowSize(SDL_GetWindowFromID(window.windowID), &w, &h);
      const WPARAM kind = window.event == SDL_WINDOWEVENT_MAXIMIZED ? SIZE_MAXIMIZED : SIZE_RESTORED;
      out->push_back({WM_SIZE, kind, MAKELPARAM(w, h)});
      break;
    }
    case SDL_WINDOWEVENT_CLOSE:
      out->push_back({WM_CLOSE, 0, 0});
      break;
  }
}

}  // namespace

void TranslateSDLEvent(const SDL_Event& event, const MousePlacement& mouse,
                       std::vector<WindowMessage>* out) {
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      Key(event.key, out);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      Button(event.button, mouse, out);
      break;
    case SDL_MOUSEMOTION:
      out->push_back(
          {WM_MOUSEMOVE, WPARAM(mouse.heldButtons), BufferPoint(mouse, event.motion.x, event.motion.y)});
      break;
    case SDL_MOUSEWHEEL: {
      int x = 0, y = 0;
      SDL_GetMouseState(&x, &y);
      const int delta = std::clamp(event.wheel.y * 120, -32768, 32767);
      out->push_back({WM_MOUSEWHEEL, WPARAM(DWORD(WORD(short(delta))) << 16 | mouse.heldButtons),
                      BufferPoint(mouse, x, y)});
      break;
    }
    case SDL_WINDOWEVENT:
      Window(event.window, out);
      break;
    case SDL_QUIT:
      out->push_back({WM_CLOSE, 0, 0});
      break;
  }
}
