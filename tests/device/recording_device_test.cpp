#include <gtest/gtest.h>

#include "platform/d3d9/recording_device.h"

TEST(RecordingDevice, KeepsCallsAndTheStateTheyLeave) {
  auto* device = new RecordingDevice();
  D3DMATRIX world{};
  world._11 = world._22 = world._33 = world._44 = 2.0f;
  device->SetTransform(D3DTS_WORLD, &world);
  device->SetRenderState(D3DRS_VERTEXBLEND, 2);
  device->SetRenderState(D3DRS_VERTEXBLEND, 0);
  device->LightEnable(3, TRUE);

  ASSERT_EQ(device->calls.size(), 4u);
  EXPECT_EQ(device->calls[0].op, "SetTransform");
  EXPECT_EQ(device->calls[0].args[0], D3DTS_WORLD);
  EXPECT_EQ(device->calls[0].matrix._11, 2.0f);
  EXPECT_EQ(device->CallsOf("SetRenderState").size(), 2u);
  EXPECT_EQ(device->renderStates[D3DRS_VERTEXBLEND], 0u);
  EXPECT_TRUE(device->lightsEnabled[3]);
  D3DMATRIX back;
  device->GetTransform(D3DTS_WORLD, &back);
  EXPECT_EQ(back._22, 2.0f);
  device->GetTransform(D3DTS_VIEW, &back);  // never set: identity
  EXPECT_EQ(back._11, 1.0f);
  EXPECT_EQ(back._41, 0.0f);
  EXPECT_EQ(device->Release(), 0u);
}

TEST(RecordingDevice, FailsWhatATestAsksAndChecksScenePairs) {
  RecordingDevice* device = new RecordingDevice();
  device->failures["BeginScene"] = E_FAIL;
  EXPECT_EQ(device->BeginScene(), E_FAIL);
  EXPECT_FALSE(device->inScene);
  device->failures.clear();
  EXPECT_EQ(device->BeginScene(), D3D_OK);
  EXPECT_EQ(device->BeginScene(), D3DERR_INVALIDCALL);
  EXPECT_EQ(device->EndScene(), D3D_OK);
  EXPECT_EQ(device->EndScene(), D3DERR_INVALIDCALL);

  device->failures["CreateTexture"] = E_OUTOFMEMORY;
  IDirect3DTexture9* texture = reinterpret_cast<IDirect3DTexture9*>(1);
  EXPECT_EQ(device->CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr),
            E_OUTOFMEMORY);
  EXPECT_EQ(texture, nullptr);
  device->Release();
}

TEST(RecordingDevice, TexturesAndBuffersKeepTheirMemory) {
  auto* device = new RecordingDevice();
  IDirect3DTexture9* texture = nullptr;
  ASSERT_EQ(device->CreateTexture(2, 2, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr),
            D3D_OK);
  D3DLOCKED_RECT locked;
  ASSERT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
  EXPECT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3DERR_INVALIDCALL);  // locked twice
  EXPECT_EQ(locked.Pitch, 8);
  static_cast<DWORD*>(locked.pBits)[3] = 0xFF00FF00;
  texture->UnlockRect(0);
  EXPECT_EQ(static_cast<RecordingTexture*>(texture)->pixels[3], 0xFF00FF00u);

  IDirect3DVertexBuffer9* vb = nullptr;
  ASSERT_EQ(device->CreateVertexBuffer(36, 0, D3DFVF_XYZ, D3DPOOL_MANAGED, &vb, nullptr), D3D_OK);
  IDirect3DIndexBuffer9* ib = nullptr;
  ASSERT_EQ(device->CreateIndexBuffer(6, 0, D3DFMT_INDEX16, D3DPOOL_MANAGED, &ib, nullptr), D3D_OK);
  EXPECT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 3, 0, 1), D3DERR_INVALIDCALL);
  device->SetStreamSource(0, vb, 0, 12);
  device->SetIndices(ib);
  EXPECT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 3, 0, 1), D3D_OK);
  EXPECT_EQ(device->CallsOf("DrawIndexedPrimitive").back().object, vb);

  float quad[3][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
  device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, quad, sizeof quad[0]);
  EXPECT_EQ(device->CallsOf("DrawPrimitiveUP").back().vertices.size(), sizeof quad);

  texture->Release();
  vb->Release();
  ib->Release();
  device->Release();
}
