#include <gtest/gtest.h>

#include "platform/d3dx9/d3dx9core.h"
#include "recorded_quads.h"

namespace {

struct SpriteTest : ::testing::Test {
  void SetUp() override {
    device = new RecordingDevice;
    ASSERT_EQ(D3DXCreateSprite(device, &sprite), S_OK);
    device->CreateTexture(64, 32, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &a, nullptr);
    device->CreateTexture(16, 16, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &b, nullptr);
    device->calls.clear();
  }
  void TearDown() override {
    sprite->Release();
    a->Release();
    b->Release();
    device->Release();
  }
  RecordingDevice* device = nullptr;
  ID3DXSprite* sprite = nullptr;
  IDirect3DTexture9 *a = nullptr, *b = nullptr;
};

TEST_F(SpriteTest, BatchesQuadsOfOneTextureIntoOneDraw) {
  sprite->Begin(D3DXSPRITE_ALPHABLEND);
  RECT source{16, 8, 32, 24};
  D3DXVECTOR3 at(100, 200, 0);
  sprite->Draw(a, &source, nullptr, &at, 0xff00ff00);
  sprite->Draw(a, &source, nullptr, &at, 0xffffffff);
  sprite->Draw(b, &source, nullptr, &at, 0xffffffff);
  sprite->Draw(a, &source, nullptr, &at, 0xffffffff);
  sprite->End();
  auto draws = RecordedDraws(*device);
  ASSERT_EQ(draws.size(), 3u);  // a a | b | a
  ASSERT_EQ(draws[0].quads.size(), 2u);
  EXPECT_EQ(draws[1].texture, b);
  const RecordedQuad& q = draws[0].quads[0];
  EXPECT_EQ((std::vector<float>{q.left, q.top, q.right, q.bottom, q.u0, q.v0, q.u1, q.v1}),
            (std::vector<float>{100, 200, 116, 216, 0.25f, 0.25f, 0.5f, 0.75f}));
  EXPECT_EQ(q.color, 0xff00ff00u);
}

TEST_F(SpriteTest, DrawsOverTheSceneAndGivesTheStatesBack) {
  device->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
  device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
  device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
  sprite->Begin(D3DXSPRITE_ALPHABLEND);
  sprite->Draw(a, nullptr, nullptr, nullptr, 0xffffffff);
  EXPECT_EQ(device->renderStates[D3DRS_ZENABLE], DWORD(D3DZB_FALSE));
  EXPECT_EQ(device->renderStates[D3DRS_CULLMODE], DWORD(D3DCULL_NONE));
  sprite->End();
  EXPECT_EQ(device->renderStates[D3DRS_ZENABLE], DWORD(D3DZB_TRUE));
  EXPECT_EQ(device->renderStates[D3DRS_CULLMODE], DWORD(D3DCULL_CCW));
  EXPECT_EQ(device->renderStates[D3DRS_ALPHABLENDENABLE], DWORD(FALSE));
  EXPECT_EQ(device->texture, nullptr);
}

TEST_F(SpriteTest, RefusesDrawingOutsideABatch) {
  EXPECT_LT(sprite->Draw(a, nullptr, nullptr, nullptr, 0xffffffff), 0);
  EXPECT_LT(sprite->End(), 0);
  EXPECT_EQ(sprite->Begin(0), S_OK);
  EXPECT_LT(sprite->Begin(0), 0);
  EXPECT_LT(sprite->Draw(nullptr, nullptr, nullptr, nullptr, 0xffffffff), 0);
  sprite->Draw(a, nullptr, nullptr, nullptr, 0xffffffff);
  // A loss drops the open batch: nothing is drawn, and a new batch can start.
  sprite->OnLostDevice();
  sprite->OnResetDevice();
  EXPECT_TRUE(RecordedDraws(*device).empty());
  EXPECT_EQ(sprite->Begin(0), S_OK);
  EXPECT_EQ(sprite->End(), S_OK);
}

}  // namespace
