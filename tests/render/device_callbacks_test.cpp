// The device callbacks through the recording device: the choice of vertex
// processing, and the device's life.
#include <gtest/gtest.h>

#include "game/menu_buttons.h"
#include "platform/d3d9/recording_device.h"
#include "render/device_callbacks.h"
#include "render/device_resources.h"
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

}  // namespace
