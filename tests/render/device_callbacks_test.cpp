// The device callbacks through the recording device: the choice of vertex
// processing, what reset sets, the device's life, and the frame's camera.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "game/menu_buttons.h"
#include "platform/d3d9/recording_device.h"
#include "render/device_callbacks.h"
#include "render/device_resources.h"
#include "render/model.h"
#include "world/level_clock.h"
#include "world/scene.h"

namespace {

class DeviceCallbacksTest : public ::testing::Test {
 protected:
  void TearDown() override {
    OnDeviceLost();
    OnDeviceDestroyed();
    device->Release();
  }
  const D3DSURFACE_DESC backBuffer{D3DFMT_X8R8G8B8, D3DRTYPE_SURFACE, 0, D3DPOOL_DEFAULT, 1024, 768};
  RecordingDevice* device = new RecordingDevice();
};

TEST(DeviceSettingsTest, MixedVertexProcessingOnlyWithTransformShadersAndTwoBlendMatrices) {
  struct Case {
    DWORD devCaps, shaderVersion, blendMatrices, flags;
  };
  const Case cases[] = {
      {D3DDEVCAPS_HWTRANSFORMANDLIGHT, D3DVS_VERSION(1, 1), 2, D3DCREATE_MIXED_VERTEXPROCESSING},
      {D3DDEVCAPS_HWTRANSFORMANDLIGHT, D3DVS_VERSION(3, 0), 4, D3DCREATE_MIXED_VERTEXPROCESSING},
      {0, D3DVS_VERSION(3, 0), 4, D3DCREATE_SOFTWARE_VERTEXPROCESSING},
      {D3DDEVCAPS_HWTRANSFORMANDLIGHT, D3DVS_VERSION(1, 0), 4, D3DCREATE_SOFTWARE_VERTEXPROCESSING},
      {D3DDEVCAPS_HWTRANSFORMANDLIGHT, 0, 4, D3DCREATE_SOFTWARE_VERTEXPROCESSING},
      {D3DDEVCAPS_HWTRANSFORMANDLIGHT, D3DVS_VERSION(1, 1), 1, D3DCREATE_SOFTWARE_VERTEXPROCESSING},
  };
  for (const Case& c : cases) {
    D3DCAPS9 caps{};
    caps.DevCaps = c.devCaps;
    caps.VertexShaderVersion = c.shaderVersion;
    caps.MaxVertexBlendMatrices = c.blendMatrices;
    DXUTDeviceSettings settings{};
    settings.BehaviorFlags = D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_PUREDEVICE;
    OnModifyDeviceSettings(&settings, &caps);
    EXPECT_EQ(settings.BehaviorFlags, c.flags) << std::hex << c.devCaps << " " << c.shaderVersion;
  }
}

TEST_F(DeviceCallbacksTest, ResetSetsTheStatesTheProjectionAndTheButtonColumn) {
  ASSERT_EQ(OnDeviceCreated(device, &backBuffer), S_OK);
  ASSERT_NE(StatusFont, nullptr);
  device->calls.clear();
  ASSERT_EQ(OnDeviceReset(device, &backBuffer), S_OK);
  ASSERT_NE(StatusSprite, nullptr);
  std::vector<std::int64_t> states;
  for (const RecordedCall& c : device->CallsOf("SetRenderState")) {
    states.push_back(c.args[0]);
    states.push_back(c.args[1]);
  }
  EXPECT_EQ(states, (std::vector<std::int64_t>{D3DRS_LIGHTING, 1, D3DRS_DITHERENABLE, 1,
                                               D3DRS_ZENABLE, 1, D3DRS_CULLMODE, D3DCULL_CCW,
                                               D3DRS_AMBIENT, 0x33333333,
                                               D3DRS_NORMALIZENORMALS, 1}));
  EXPECT_EQ(device->CallsOf("SetSamplerState").size(), 2u);
  // Aspect 4:3, near 0.3125, far 4000 (the far plane read in double, as
  // 1 - _33 is tiny).
  const D3DXMATRIX& p = ProjectionMatrix;
  EXPECT_NEAR(p._22 / p._11, 1024.0f / 768.0f, 1e-5);
  EXPECT_NEAR(-p._43 / p._33, 0.3125f, 1e-5);
  EXPECT_NEAR(double(p._43) / (1.0 - double(p._33)), 4000.0, 10.0);
  EXPECT_EQ(std::memcmp(&device->transforms[D3DTS_PROJECTION], &p, sizeof(D3DMATRIX)), 0);
  EXPECT_EQ(MenuDialog.GetLocation().x, 854);
  EXPECT_EQ(MenuDialog.GetLocation().y, 0);
  EXPECT_EQ(MenuDialog.GetWidth(), 170);
}

TEST_F(DeviceCallbacksTest, ADeviceLifeFreesEverythingOnceAndStartsAgainAtTheFirstMap) {
  ASSERT_EQ(OnDeviceCreated(device, &backBuffer), S_OK);
  ASSERT_NE(CurrentScene, nullptr);
  EXPECT_STREQ(CurrentScene->currentMapName, "map1.mn");
  Scene* scene = CurrentScene;
  ASSERT_EQ(OnDeviceReset(device, &backBuffer), S_OK);
  OnDeviceLost();
  EXPECT_EQ(StatusSprite, nullptr);
  ASSERT_EQ(OnDeviceReset(device, &backBuffer), S_OK);
  EXPECT_EQ(CurrentScene, scene) << "a reset keeps the level";
  OnDeviceLost();
  OnDeviceDestroyed();
  EXPECT_EQ(StatusFont, nullptr);
  EXPECT_EQ(CurrentScene, nullptr);
  EXPECT_EQ(CurrentLevelClock, nullptr);
  OnDeviceDestroyed();  // nothing is freed twice
  ASSERT_EQ(OnDeviceCreated(device, &backBuffer), S_OK);
  EXPECT_NE(CurrentScene, nullptr);
}

TEST_F(DeviceCallbacksTest, FrameMoveLooksFromTheCameraAndUpdatesEveryModel) {
  ViewMatrix = D3DXMATRIX();  // all zero
  OnFrameMove(device, 0.0, 0.01f);
  EXPECT_TRUE(device->calls.empty()) << "no scene, no view";
  EXPECT_EQ(ViewMatrix._44, 0.0f);

  ASSERT_EQ(OnDeviceCreated(device, &backBuffer), S_OK);
  CurrentScene->cameraPosition = {-10, 25, 0};
  std::vector<GameObject*> loaded;
  for (GameObject* o = CurrentScene->firstObject; o; o = o->next) {
    if (!o->meshLoaded) continue;
    D3DXMatrixTranslation(&o->frameRoot->TransformationMatrix, 7, 0, 0);
    loaded.push_back(o);
  }
  ASSERT_GT(loaded.size(), 1u);
  device->calls.clear();
  OnFrameMove(device, 0.0, 0.01f);
  for (const GameObject* o : loaded) EXPECT_FLOAT_EQ(o->frameRoot->CombinedMatrix._41, 7.0f) << o->type;
  // The origin lies straight ahead of the camera.
  D3DXVECTOR3 origin{0, 0, 0}, ahead;
  D3DXVec3TransformCoord(&ahead, &origin, &ViewMatrix);
  EXPECT_NEAR(ahead.x, 0.0f, 1e-4);
  EXPECT_NEAR(ahead.y, 0.0f, 1e-4);
  EXPECT_NEAR(ahead.z, std::sqrt(725.0f), 1e-4);
  // The world is turned a quarter about y first: its +x runs to the left.
  D3DXVECTOR3 plusX{1, 0, 0}, seen;
  D3DXVec3TransformCoord(&seen, &plusX, &ViewMatrix);
  EXPECT_NEAR(seen.x, -1.0f, 1e-4);
  EXPECT_EQ(std::memcmp(&device->transforms[D3DTS_VIEW], &ViewMatrix, sizeof(D3DMATRIX)), 0);
}

}  // namespace
