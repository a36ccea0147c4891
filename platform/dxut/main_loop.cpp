// The message and frame loop, pausing, and the framework's shutdown.
#include <SDL2/SDL.h>

#include <algorithm>
#include <chrono>
#include <new>
#include <thread>

#include "platform/d3d9/gl_device.h"
#include "platform/dxut/dxut_state.h"
#include "platform/dxut/sdl_messages.h"
#include "platform/dxut/settings_dialog.h"
#include "platform/dxut/timer.h"

namespace {

// While nothing is drawn the loop sleeps this long between looks for
// messages: a wait for a message would poll every millisecond where the
// video driver cannot wait (SDL's offscreen driver).
constexpr int kIdleWaitMs = 20;
// Frames start at most this often on the real clock: just over a game step
// (10 ms, strictly more between steps), so that every frame steps the game
// once and no frame is drawn that nothing needs.
constexpr double kFramePeriod = 0.0101;

// Sleeps until the next frame is due; true when a message came first, in
// `event`.
bool WaitForNextFrame(SDL_Event* event) {
  for (;;) {
    const auto left = DXUT().nextFrame - std::chrono::steady_clock::now();
    if (left <= left.zero()) return false;
    // A wait for messages may overrun its whole milliseconds by most of one,
    // which would cost a game step every few frames; the last two are slept
    // exactly instead.
    const auto wholeMs = std::chrono::duration_cast<std::chrono::milliseconds>(left).count();
    if (wholeMs < 2) std::this_thread::sleep_for(left);
    else if (SDL_WaitEventTimeout(event, int(wholeMs) - 1) == 1) return true;
  }
}

MousePlacement PlacementNow() {
  DXUTState& s = DXUT();
  int w = 0, h = 0;
  SDL_GetWindowSize(s.window, &w, &h);
  const GLPresentRect r = PresentRectFor(s.backBuffer.Width, s.backBuffer.Height, w, h);
  const Uint32 buttons = SDL_GetMouseState(nullptr, nullptr);
  UINT held = 0;
  if (buttons & SDL_BUTTON_LMASK) held |= MK_LBUTTON;
  if (buttons & SDL_BUTTON_RMASK) held |= MK_RBUTTON;
  if (buttons & SDL_BUTTON_MMASK) held |= MK_MBUTTON;
  return {r.x, r.y, r.width, r.height, s.backBuffer.Width, s.backBuffer.Height, held};
}

void Dispatch(const SDL_Event& event) {
  DXUTState& s = DXUT();
  std::vector<WindowMessage> messages;
  TranslateSDLEvent(event, PlacementNow(), &messages);
  for (const WindowMessage& m : messages) {
    if (s.quit) return;
    // The settings dialog, while shown, takes the keyboard and the mouse.
    if (SettingsDialogShown() && SettingsDialogMsgProc(m.message, m.wParam, m.lParam)) continue;
    SendMessageW(&s.hwnd, m.message, m.wParam, m.lParam);
  }
}

void RenderFrame() {
  DXUTState& s = DXUT();
  CDXUTTimer* timer = DXUTGetGlobalTimer();
  double time;
  float elapsed;
  if (s.commandLine.constantFrameTime) {
    const double step = DXUTIsTimePaused() ? 0.0 : *s.commandLine.constantFrameTime;
    timer->Advance(step);
    time = timer->GetTime();
    elapsed = float(step);
  } else {
    time = timer->GetTime();
    // Measured from when the clock was read, so frames are never closer on it.
    s.nextFrame = std::chrono::steady_clock::now() +
                  std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                      std::chrono::duration<double>(kFramePeriod));
    elapsed = float(time - s.lastFrameTime);
    if (elapsed < 0.0f) elapsed = 0.0f;
  }
  s.lastFrameTime = time;

  IDirect3DDevice9* device = s.device;
  if (s.callbacks.frameMove) s.callbacks.frameMove(device, time, elapsed);
  if (s.quit || !s.device) return;
  if (s.callbacks.frameRender) s.callbacks.frameRender(device, time, elapsed);
  if (s.quit || !s.device) return;
  if (SettingsDialogShown()) RenderSettingsDialog(s.device);
  s.device->Present(nullptr, nullptr, nullptr, nullptr);
  s.frames += 1;
  if (s.commandLine.quitAfterFrame && s.frames >= *s.commandLine.quitAfterFrame)
    SendMessageW(&s.hwnd, WM_CLOSE, 0, 0);
}

}  // namespace

void DXUTPause(bool pauseTime, bool pauseRendering) {
  DXUTState& s = DXUT();
  s.pauseTimeCount = std::max(0, s.pauseTimeCount + (pauseTime ? 1 : -1));
  s.pauseRenderingCount = std::max(0, s.pauseRenderingCount + (pauseRendering ? 1 : -1));
  // The constant frame time keeps the clock stopped and moves it by hand.
  if (s.commandLine.constantFrameTime) return;
  CDXUTTimer* timer = DXUTGetGlobalTimer();
  if (s.pauseTimeCount > 0) timer->Stop();
  else if (timer->IsStopped()) timer->Start();
}

HRESULT DXUTMainLoop(HACCEL) {
  DXUTState& s = DXUT();
  if (!s.device || s.quit) {
    DXUTShutdown();
    return E_FAIL;
  }
  CDXUTTimer* timer = DXUTGetGlobalTimer();
  if (s.commandLine.constantFrameTime) timer->Stop();
  s.lastFrameTime = timer->GetTime();
  while (!s.quit) {
    SDL_Event event;
    if (SDL_PollEvent(&event)) {
      Dispatch(event);
      continue;
    }
    if (DXUTIsRenderingPaused() || s.minimized) {
      SDL_Delay(kIdleWaitMs);
      continue;
    }
    // A constant frame time runs frames as fast as they come.
    if (!s.commandLine.constantFrameTime && WaitForNextFrame(&event)) {
      Dispatch(event);
      continue;
    }
    RenderFrame();
  }
  DXUTShutdown();
  return S_OK;
}

void DXUTShutdown(int exitCode) {
  DXUTState& s = DXUT();
  if (exitCode != 0 && s.exitCode == 0) s.exitCode = exitCode;
  ShowSettingsDialog(false);
  DXUTReleaseDevice();
  DestroyGLContext();
  if (s.window) SDL_DestroyWindow(s.window);
  if (s.d3d) s.d3d->Release();
  if (s.initialised) SDL_QuitSubSystem(SDL_INIT_VIDEO);
  // Back to the start, but for the callbacks and the exit code, so that
  // the framework can run again in the same process.
  const DXUTCallbacks callbacks = s.callbacks;
  const int code = s.exitCode;
  s.hwnd.procedure = nullptr;
  s.~DXUTState();
  new (&s) DXUTState();
  s.callbacks = callbacks;
  s.exitCode = code;
}
