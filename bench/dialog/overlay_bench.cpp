// The cost of the game's overlay per frame on the OpenGL device offscreen:
// 13 buttons and 8 lines of status text, drawn and finished by the GPU.
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

#include "platform/dxut/dxut_gui.h"
#include "tests/dialog/game_buttons.h"
#include "tests/dialog/offscreen_device.h"

namespace {

struct Overlay {
  Overlay() : screen(1024, 768) {
    if (!screen.device()) return;
    AddGameButtons(dialog);
    for (const GameButton& b : kGameButtons) {
      CDXUTControl* control = dialog.GetControl(b.id, DXUT_CONTROL_BUTTON);
      control->SetVisible(true);
    }
    D3DXCreateFontW(screen.device(), 30, 0, 400, 0, FALSE, 1, 0, 0, 0, u"Elephant", &font);
    D3DXCreateSprite(screen.device(), &sprite);
  }
  ~Overlay() {
    if (sprite) sprite->Release();
    if (font) font->Release();
  }
  void Draw() {
    CDXUTTextHelper text(font, sprite, 15);
    text.Begin();
    // Eight lines, as on a cleared level's screen.
    const char16_t* lines[] = {u"Score: 4200\nHigh Score: 9100\n",
                               u"Time Left: 61\nBest Time: 75\n", u"Current Level:\n   12",
                               u"Level Cleared!\nNo Bonus For Restarting Level :)"};
    const int places[][2] = {{30, 20}, {462, 10}, {854, 668}, {382, 384}};
    for (int i = 0; i < 4; ++i) {
      text.SetForegroundColor(D3DXCOLOR(1, 1, 0, 1));
      text.SetInsertionPos(places[i][0], places[i][1]);
      text.DrawTextLine(lines[i]);
    }
    text.End();
    dialog.OnRender(0.016f);
  }
  OffscreenDevice screen;
  CDXUTDialog dialog;
  ID3DXFont* font = nullptr;
  ID3DXSprite* sprite = nullptr;
};

Overlay* TheOverlay() {
  static Overlay overlay;
  return &overlay;
}

// One frame: clear, the overlay when asked, and a wait until the device has
// drawn it all, so that the time includes the drawing itself.
void Frame(Overlay* o, bool overlay) {
  IDirect3DDevice9* device = o->screen.device();
  device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xff000000, 1.0f, 0);
  device->BeginScene();
  if (overlay) o->Draw();
  device->EndScene();
  glFinish();
}

bool Ready(benchmark::State& state) {
  Overlay* o = TheOverlay();
  if (o->screen.device() && o->font && o->sprite) return true;
  state.SkipWithError("no OpenGL device");
  return false;
}

void BM_ClearOnly(benchmark::State& state) {
  if (!Ready(state)) return;
  for (auto _ : state) Frame(TheOverlay(), false);
}

void BM_ButtonsAndText(benchmark::State& state) {
  if (!Ready(state)) return;
  for (auto _ : state) Frame(TheOverlay(), true);
}

// What the overlay adds to a frame: a frame with it less the frame without
// it just before, so that the other work on the machine weighs on both.
void BM_OverlayCost(benchmark::State& state) {
  if (!Ready(state)) return;
  using Clock = std::chrono::steady_clock;
  for (auto _ : state) {
    Clock::time_point start = Clock::now();
    Frame(TheOverlay(), false);
    Clock::time_point plain = Clock::now();
    Frame(TheOverlay(), true);
    Clock::time_point end = Clock::now();
    std::chrono::duration<double> cost = (end - plain) - (plain - start);
    state.SetIterationTime(std::max(0.0, cost.count()));
  }
}

BENCHMARK(BM_ClearOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ButtonsAndText)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OverlayCost)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
