// Textures of equal pixels share one OpenGL image until one is locked again:
// each still draws, and reads back, its own pixels.
#include "tests/framework/gl_fixture.h"

namespace {

void Fill(const D3DLOCKED_RECT& locked, DWORD colour) {
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) static_cast<DWORD*>(locked.pBits)[y * (locked.Pitch / 4) + x] = colour;
}

IDirect3DTexture9* Filled(IDirect3DDevice9* device, DWORD colour) {
  IDirect3DTexture9* texture = nullptr;
  D3DLOCKED_RECT locked;
  if (device->CreateTexture(2, 2, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr) !=
          D3D_OK ||
      texture->LockRect(0, &locked, nullptr, 0) != D3D_OK)
    return nullptr;
  Fill(locked, colour);
  texture->UnlockRect(0);
  return texture;
}

}  // namespace

TEST_F(GLDeviceTest, TexturesOfEqualPixelsStayApartWhenOneChanges) {
  constexpr DWORD kRed = 0xFFFF0000u, kGreen = 0xFF00FF00u, kBlue = 0xFF0000FFu;
  IDirect3DTexture9* textures[3] = {Filled(device_, kRed), Filled(device_, kRed),
                                    Filled(device_, kBlue)};
  for (auto* t : textures) ASSERT_NE(t, nullptr);

  D3DLOCKED_RECT locked;
  ASSERT_EQ(textures[1]->LockRect(0, &locked, nullptr, 0), D3D_OK);
  EXPECT_EQ(*static_cast<DWORD*>(locked.pBits), kRed) << "pixels read back when locked again";
  Fill(locked, kGreen);
  ASSERT_EQ(textures[1]->UnlockRect(0), D3D_OK);

  const DWORD expected[3] = {kRed, kGreen, kBlue};
  device_->SetRenderState(D3DRS_LIGHTING, FALSE);
  for (int i = 0; i < 3; ++i) {
    device_->SetTexture(0, textures[i]);
    DrawQuad(0, 0, 5.0f - float(i), 2);
    Read();
    EXPECT_EQ(At(64, 48), expected[i]) << "texture " << i;
  }
  device_->SetTexture(0, nullptr);
  for (auto* t : textures) t->Release();
}
