// The framework's on-screen controls: dialogs of buttons drawn over the
// scene, and the text helper that writes lines of text with a font.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/d3d9/d3d9.h"
#include "platform/d3dx9/d3dx9core.h"
#include "platform/d3dx9/d3dx9math.h"

#define EVENT_BUTTON_CLICKED 0x0101

enum DXUT_CONTROL_TYPE : UINT {
  DXUT_CONTROL_BUTTON = 0,
  DXUT_CONTROL_STATIC = 1,
};

class CDXUTControl;

// A dialog's event callback: (event code, control ID, control).
typedef void (*PCALLBACKDXUTGUIEVENT)(UINT event, int controlId, CDXUTControl* control);

// A control's place, size and flags. Setting a flag only stores it; the
// dialog reads the flags when it draws and when it takes the mouse.
class CDXUTControl {
 public:
  virtual ~CDXUTControl() = default;
  int GetID() const { return id_; }
  UINT GetType() const { return type_; }
  UINT GetHotkey() const { return hotkey_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  bool GetEnabled() const { return enabled_; }
  void SetVisible(bool visible) { visible_ = visible; }
  bool GetVisible() const { return visible_; }
  // Its rectangle relative to the dialog's corner, right and bottom edges
  // excluded.
  RECT GetRect() const { return {x_, y_, x_ + width_, y_ + height_}; }
  bool ContainsPoint(POINT point) const {
    return point.x >= x_ && point.x < x_ + width_ && point.y >= y_ && point.y < y_ + height_;
  }

 protected:
  CDXUTControl(UINT type, int id, int x, int y, int width, int height, UINT hotkey)
      : type_(type), id_(id), x_(x), y_(y), width_(width), height_(height), hotkey_(hotkey) {}

 private:
  UINT type_;
  int id_;
  int x_, y_, width_, height_;
  UINT hotkey_;
  bool enabled_ = true;
  bool visible_ = true;
};

// A control with a text.
class CDXUTStatic : public CDXUTControl {
 public:
  // Null empties the text.
  HRESULT SetText(LPCWSTR text);
  LPCWSTR GetText() const { return text_.c_str(); }

 protected:
  CDXUTStatic(UINT type, int id, LPCWSTR text, int x, int y, int width, int height, UINT hotkey)
      : CDXUTControl(type, id, x, y, width, height, hotkey) {
    SetText(text);
  }

 private:
  std::u16string text_;
};

// A push button: its label centred on a bevelled face.
class CDXUTButton : public CDXUTStatic {
 public:
  CDXUTButton(int id, LPCWSTR text, int x, int y, int width, int height, UINT hotkey)
      : CDXUTStatic(DXUT_CONTROL_BUTTON, id, text, x, y, width, height, hotkey) {}
};

// An ordered set of controls at a place on the back buffer. Clicks and
// hotkeys become events for the callback; OnRender draws the controls.
class CDXUTDialog {
 public:
  CDXUTDialog() = default;
  CDXUTDialog(const CDXUTDialog&) = delete;
  CDXUTDialog& operator=(const CDXUTDialog&) = delete;
  ~CDXUTDialog();

  void SetCallback(PCALLBACKDXUTGUIEVENT callback) { callback_ = callback; }
  // Appends a button, enabled and visible, placed relative to the dialog's
  // corner. `hotkey` (a virtual-key code, 0 for none) clicks it from the
  // keyboard. A default button would answer Enter only with the dialog's
  // keyboard input on, which these dialogs never turn on, so `isDefault` is
  // not used.
  HRESULT AddButton(int id, LPCWSTR text, int x, int y, int width, int height, UINT hotkey = 0,
                    bool isDefault = false, CDXUTButton** created = nullptr);
  // The first control with this ID and type, or null.
  CDXUTControl* GetControl(int id, UINT type) const;

  // Offers a window message (mouse positions in back-buffer pixels); true
  // when the dialog used it. A click is a press and a release on the same
  // enabled, visible button; a press goes to the first such button in
  // creation order that contains the point.
  bool MsgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // Draws the visible controls on the device of the dialog resources.
  HRESULT OnRender(float elapsedTime);

  // The corner in back-buffer pixels. The size is kept for the caller; it
  // bounds neither drawing nor clicks.
  void SetLocation(int x, int y) {
    x_ = x;
    y_ = y;
  }
  void SetSize(int width, int height) {
    width_ = width;
    height_ = height;
  }
  POINT GetLocation() const { return {x_, y_}; }
  int GetWidth() const { return width_; }
  int GetHeight() const { return height_; }

 private:
  // The first enabled, visible control at a point relative to the corner.
  CDXUTControl* ControlAt(POINT point) const;
  bool Takes(const CDXUTControl* control) const;
  void Send(CDXUTControl* control);

  std::vector<std::unique_ptr<CDXUTControl>> controls_;
  PCALLBACKDXUTGUIEVENT callback_ = nullptr;
  int x_ = 0, y_ = 0, width_ = 0, height_ = 0;
  CDXUTControl* pressed_ = nullptr;    // the button the left button went down on
  CDXUTControl* mouseOver_ = nullptr;  // the button under the mouse
};

class ButtonSkins;

// What every dialog draws with: the device, the label font, a sprite and the
// buttons' faces. The framework calls these as its device is created, reset,
// lost and destroyed, before the game's own callbacks of the same kind.
class CDXUTDialogResourceManager {
 public:
  HRESULT OnCreateDevice(IDirect3DDevice9* device);
  HRESULT OnResetDevice();
  void OnLostDevice();
  void OnDestroyDevice();
  IDirect3DDevice9* GetD3DDevice() const { return device_; }
  ID3DXFont* GetFont() const { return font_; }
  ID3DXSprite* GetSprite() const { return sprite_; }
  ButtonSkins* GetSkins() const { return skins_; }

 private:
  IDirect3DDevice9* device_ = nullptr;
  ID3DXFont* font_ = nullptr;
  ID3DXSprite* sprite_ = nullptr;
  ButtonSkins* skins_ = nullptr;  // the faces of the buttons, painted as needed
};

CDXUTDialogResourceManager* DXUTGetGlobalDialogResourceManager();

// Writes lines of text with a font, one below the other from an insertion
// point, batched through a sprite between Begin and End.
class CDXUTTextHelper {
 public:
  CDXUTTextHelper(ID3DXFont* font, ID3DXSprite* sprite, int lineHeight)
      : font_(font), sprite_(sprite), lineHeight_(lineHeight) {}
  void SetInsertionPos(int x, int y) {
    x_ = x;
    y_ = y;
  }
  void SetForegroundColor(D3DXCOLOR color) { color_ = color; }
  void Begin();
  // Draws the text with its top-left corner at the insertion point, without
  // clipping, each '\n' starting a new line; then moves the insertion point
  // down by the line height.
  HRESULT DrawTextLine(LPCWSTR text);
  void End();

 private:
  ID3DXFont* font_;
  ID3DXSprite* sprite_;
  int lineHeight_;
  int x_ = 0, y_ = 0;
  D3DCOLOR color_ = 0xffffffff;
};
