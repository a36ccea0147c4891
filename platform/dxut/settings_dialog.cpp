// F2's dialog: a button that switches between windowed and full screen, one
// that steps through the back-buffer sizes, OK and Cancel.
#include <SDL2/SDL.h>

#include <iterator>
#include <string>
#include <utility>

#include "platform/dxut/dxut_gui.h"
#include "platform/dxut/dxut_state.h"
#include "platform/dxut/settings_dialog.h"
#include "platform/win32/wide_text.h"

namespace {

enum : int { kMode = 1, kSize, kOk, kCancel };
constexpr int kWidth = 240, kHeight = 150;

struct Size {
  UINT width, height;
};
constexpr Size kSizes[] = {{640, 480}, {800, 600}, {1024, 768}, {1280, 960}, {1280, 720},
                           {1600, 900}, {1920, 1080}};
constexpr int kSizeCount = int(sizeof kSizes / sizeof kSizes[0]);

struct SettingsDialog {
  CDXUTDialog dialog;
  bool shown = false;
  bool built = false;
  DXUTDeviceSettings pending{};
  int size = 0;  // into kSizes, or -1 for the size the device has
};

SettingsDialog& Dialog() {
  static SettingsDialog d;
  return d;
}

void SetCaption(int id, const std::u16string& text) {
  auto* control = static_cast<CDXUTStatic*>(Dialog().dialog.GetControl(id, DXUT_CONTROL_BUTTON));
  if (control) control->SetText(text.c_str());
}

void ShowCaptions() {
  SettingsDialog& d = Dialog();
  SetCaption(kMode, d.pending.pp.Windowed ? u"Windowed" : u"Full screen");
  const std::string size = std::to_string(d.pending.pp.BackBufferWidth) + " x " +
                           std::to_string(d.pending.pp.BackBufferHeight);
  SetCaption(kSize, Utf8ToWide(size.data(), size.size()));
}

void OnEvent(UINT, int id, CDXUTControl*) {
  SettingsDialog& d = Dialog();
  switch (id) {
    case kMode:
      d.pending.pp.Windowed = !d.pending.pp.Windowed;
      break;
    case kSize:
      d.size = (d.size + 1) % kSizeCount;
      d.pending.pp.BackBufferWidth = kSizes[d.size].width;
      d.pending.pp.BackBufferHeight = kSizes[d.size].height;
      break;
    case kOk: {
      const DXUTDeviceSettings chosen = d.pending;
      ShowSettingsDialog(false);
      DXUTChangeDevice(&chosen);
      return;
    }
    case kCancel:
      ShowSettingsDialog(false);
      return;
  }
  ShowCaptions();
}

void Build() {
  SettingsDialog& d = Dialog();
  if (d.built) return;
  d.dialog.SetCallback(OnEvent);
  d.dialog.AddButton(kMode, u"", 20, 20, 200, 26);
  d.dialog.AddButton(kSize, u"", 20, 56, 200, 26);
  d.dialog.AddButton(kOk, u"OK", 20, 104, 95, 26, VK_RETURN);
  d.dialog.AddButton(kCancel, u"Cancel", 125, 104, 95, 26, VK_ESCAPE);
  d.built = true;
}

}  // namespace

void ShowSettingsDialog(bool show) {
  SettingsDialog& d = Dialog();
  if (show == d.shown) return;
  d.shown = show;
  if (!show) return;
  Build();
  d.pending = DXUT().settings;
  d.size = -1;
  ShowCaptions();
}

bool SettingsDialogShown() { return Dialog().shown; }

bool SettingsDialogMsgProc(UINT message, WPARAM wParam, LPARAM lParam) {
  SettingsDialog& d = Dialog();
  if (message == WM_CLOSE || message == WM_SIZE) return false;
  // F2 closes it again: that goes on to the framework's hotkeys.
  if ((message == WM_KEYDOWN || message == WM_KEYUP) && wParam == VK_F2) return false;
  d.dialog.MsgProc(DXUTGetHWND(), message, wParam, lParam);
  return true;
}

void RenderSettingsDialog(IDirect3DDevice9* device) {
  SettingsDialog& d = Dialog();
  const D3DSURFACE_DESC* bb = DXUTGetBackBufferSurfaceDesc();
  const int x = (int(bb->Width) - kWidth) / 2, y = (int(bb->Height) - kHeight) / 2;
  d.dialog.SetLocation(x, y);
  d.dialog.SetSize(kWidth, kHeight);
  if (FAILED(device->BeginScene())) return;
  // A dark panel under the buttons.
  struct Vertex {
    float x, y, z, rhw;
    D3DCOLOR color;
  };
  const float l = float(x), t = float(y), r = float(x + kWidth), b = float(y + kHeight);
  const D3DCOLOR c = 0xd0202838;
  const Vertex panel[4] = {{l, t, 0, 1, c}, {r, t, 0, 1, c}, {l, b, 0, 1, c}, {r, b, 0, 1, c}};
  // The panel's states, given back to the game afterwards.
  static const std::pair<D3DRENDERSTATETYPE, DWORD> kPanelStates[] = {
      {D3DRS_ALPHABLENDENABLE, TRUE},       {D3DRS_SRCBLEND, D3DBLEND_SRCALPHA},
      {D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA}, {D3DRS_ZENABLE, FALSE},
      {D3DRS_CULLMODE, D3DCULL_NONE},       {D3DRS_FILLMODE, D3DFILL_SOLID},
  };
  DWORD saved[std::size(kPanelStates)] = {};
  for (size_t i = 0; i < std::size(kPanelStates); ++i) {
    device->GetRenderState(kPanelStates[i].first, &saved[i]);
    device->SetRenderState(kPanelStates[i].first, kPanelStates[i].second);
  }
  device->SetTexture(0, nullptr);
  device->SetFVF(D3DFVF_XYZRHW | D3DFVF_DIFFUSE);
  device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, panel, sizeof(Vertex));
  d.dialog.OnRender(0.0f);
  for (size_t i = 0; i < std::size(kPanelStates); ++i)
    device->SetRenderState(kPanelStates[i].first, saved[i]);
  device->EndScene();
}
