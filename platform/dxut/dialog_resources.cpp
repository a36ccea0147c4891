// The device objects every dialog shares.
#include "platform/dxut/dialog_skin.h"
#include "platform/dxut/dxut_gui.h"

namespace {

// The framework's usual label font.
constexpr WCHAR kLabelFace[] = u"Arial";
constexpr int kLabelHeight = 14;

}  // namespace

CDXUTDialogResourceManager* DXUTGetGlobalDialogResourceManager() {
  static CDXUTDialogResourceManager manager;
  return &manager;
}

HRESULT CDXUTDialogResourceManager::OnCreateDevice(IDirect3DDevice9* device) {
  if (!device) return D3DERR_INVALIDCALL;
  OnDestroyDevice();
  HRESULT hr =
      D3DXCreateFontW(device, kLabelHeight, 0, FW_NORMAL, 1, FALSE, DEFAULT_CHARSET,
                      OUT_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, kLabelFace, &font_);
  if (FAILED(hr)) {
    font_ = nullptr;
    return hr;
  }
  device->AddRef();
  device_ = device;
  skins_ = new ButtonSkins;
  return S_OK;
}

HRESULT CDXUTDialogResourceManager::OnResetDevice() {
  if (!device_) return D3DERR_INVALIDCALL;
  HRESULT hr = font_->OnResetDevice();
  if (FAILED(hr)) return hr;
  if (!sprite_) hr = D3DXCreateSprite(device_, &sprite_);
  return hr;
}

void CDXUTDialogResourceManager::OnLostDevice() {
  if (font_) font_->OnLostDevice();
  if (skins_) skins_->Pages().ReleaseTextures();
  if (sprite_) sprite_->Release();
  sprite_ = nullptr;
}

void CDXUTDialogResourceManager::OnDestroyDevice() {
  OnLostDevice();
  delete skins_;
  if (font_) font_->Release();
  if (device_) device_->Release();
  skins_ = nullptr;
  font_ = nullptr;
  device_ = nullptr;
}
