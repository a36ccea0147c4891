// The picture of a frame through the recording device: the lights, which
// objects are drawn and where, and the order of a frame's steps.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "game/frame_render.h"
#include "game/menu_buttons.h"
#include "render/model.h"
#include "tests/render/tagged_mesh.h"
#include "world/scene.h"

namespace {

// One mesh piece per object, tagged with the object's index.
struct ObjectModel {
  ModelFrame frame{};
  ModelPiece piece{};
  D3DXMATERIAL material{};
  IDirect3DTexture9* texture = nullptr;
};

class FrameRenderTest : public ::testing::Test {
 protected:
  void SetUp() override { CurrentScene = new Scene(); }
  void TearDown() override { Free(); }
  // A new device and an empty scene.
  void Reset() {
    Free();
    device = new RecordingDevice();
    SetUp();
  }
  void Free() {
    for (GameObject* o = CurrentScene->firstObject; o; o = o->next) o->frameRoot = nullptr;
    delete CurrentScene;
    CurrentScene = nullptr;
    ExitPromptShown = 0;
    for (auto& m : models) m->piece.MeshData.pMesh->Release();
    models.clear();
    device->Release();
  }

  GameObject* Add(const char* type, const char* name, bool shown = true, bool withModel = true) {
    CurrentScene->AddObjectAt(type, 0, 0, 0, 0, 0, 0);
    GameObject* o = CurrentScene->lastAdded;
    std::snprintf(o->name, sizeof o->name, "%s", name);
    o->shown = shown;
    if (withModel) {
      auto m = std::make_unique<ObjectModel>();
      m->piece.MeshData.pMesh = new TaggedMesh(device, int(o->index));
      m->piece.pMaterials = &m->material;
      m->piece.NumMaterials = 1;
      m->piece.Textures = &m->texture;
      m->frame.pMeshContainer = &m->piece;
      o->frameRoot = &m->frame;
      o->meshLoaded = 1;
      models.push_back(std::move(m));
    }
    return o;
  }

  // The tags of the meshes drawn, in order.
  std::vector<std::int64_t> Drawn() const {
    std::vector<std::int64_t> tags;
    for (const RecordedCall& c : device->CallsOf("DrawSubset")) tags.push_back(c.args[1]);
    return tags;
  }

  RecordingDevice* device = new RecordingDevice();
  std::vector<std::unique_ptr<ObjectModel>> models;
};

TEST_F(FrameRenderTest, ShownLightObjectsTakeIndicesInListOrderElseOneLightPointsDown) {
  struct Case {
    const char* name;
    std::vector<std::pair<i32, bool>> lights;  // kind, shown
    bool exitPrompt;
    std::vector<D3DLIGHTTYPE> types;
  };
  const Case cases[] = {
      {"none", {}, false, {D3DLIGHT_DIRECTIONAL}},
      {"all hidden", {{SpotLight, false}, {PointLight, false}}, false, {D3DLIGHT_DIRECTIONAL}},
      {"three shown, one hidden", {{SpotLight, true}, {PointLight, false}, {PointLight, true}, {NoLight, true}},
       false, {D3DLIGHT_SPOT, D3DLIGHT_POINT, D3DLIGHTTYPE(0)}},
      {"under the exit prompt", {{PointLight, true}}, true, {D3DLIGHT_POINT}},
      {"default under the exit prompt", {}, true, {D3DLIGHT_DIRECTIONAL}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Reset();
    GameObject* target = Add("ball", "aim", true, false);
    target->position = {3, 0, -2};
    for (const auto& [kind, shown] : c.lights) {
      GameObject* light = Add("LIGHT", "", shown, false);
      light->lightKind = kind;
      light->position = {1, 4, 1};
      std::snprintf(light->followName, sizeof light->followName, "aim");
    }
    ExitPromptShown = c.exitPrompt;
    SetSceneLights(device);

    const auto set = device->CallsOf("SetLight");
    ASSERT_EQ(set.size(), c.types.size());
    EXPECT_TRUE(device->CallsOf("LightEnable").size() == set.size());
    const float diffuse = c.exitPrompt ? 0.4f : 1.0f;
    for (size_t i = 0; i < set.size(); ++i) {
      const D3DLIGHT9& l = set[i].light;
      EXPECT_EQ(set[i].args[0], std::int64_t(i));
      EXPECT_EQ(l.Type, c.types[i]);
      EXPECT_FLOAT_EQ(l.Diffuse.g, diffuse);
      EXPECT_FLOAT_EQ(l.Ambient.g, 1.0f);
      EXPECT_EQ(device->lightsEnabled[DWORD(i)], true);
      if (l.Type == D3DLIGHT_SPOT) {
        EXPECT_FLOAT_EQ(l.Direction.x, 2.0f);  // toward the followed object, not normalised
        EXPECT_FLOAT_EQ(l.Direction.y, -4.0f);
        EXPECT_FLOAT_EQ(l.Direction.z, -3.0f);
        EXPECT_FLOAT_EQ(l.Phi, 5.0f);
      } else if (l.Type == D3DLIGHT_POINT) {
        EXPECT_FLOAT_EQ(l.Position.x, -5.0f);  // wherever its object stands
        EXPECT_FLOAT_EQ(l.Position.y, 5.0f);
        EXPECT_FLOAT_EQ(l.Range, 20.0f);
      } else if (l.Type == D3DLIGHT_DIRECTIONAL) {
        EXPECT_FLOAT_EQ(l.Direction.y, -1.0f);
        EXPECT_FLOAT_EQ(l.Diffuse.a, 1.0f);
        EXPECT_FLOAT_EQ(l.Range, 1000.0f);
      }
    }
  }
}

TEST_F(FrameRenderTest, ALevelWithFewerLightsLeavesTheEarlierLevelsOnesOn) {
  for (int i = 0; i < 3; ++i) Add("LIGHT", "", true, false)->lightKind = PointLight;
  SetSceneLights(device);
  delete CurrentScene;  // the next level, on the same device
  CurrentScene = new Scene();
  Add("LIGHT", "", true, false)->lightKind = SpotLight;
  SetSceneLights(device);
  EXPECT_EQ(device->lights[0].Type, D3DLIGHT_SPOT);
  for (DWORD i : {1u, 2u}) {
    EXPECT_EQ(device->lights[i].Type, D3DLIGHT_POINT) << i;
    EXPECT_TRUE(device->lightsEnabled[i]) << i;
  }
}

TEST_F(FrameRenderTest, TheWalkDrawsShownModelsAndTwinsInPlaceOfPoppedBalls) {
  Add("skybox", "sky");                                   // 0
  GameObject* popped = Add("ball", "ball1", false);       // 1
  popped->position = {2, 1, -3};
  popped->spin = {0.5f, 0.5f, 0.5f};
  GameObject* twin = Add("ball", "ball1_", false);        // 2
  twin->spin = {1, 1, 1};
  Add("goal", "goal1", false);                            // 3: hidden, not a ball
  Add("ball", "ball2", false)->meshLoaded = 0;            // 4: no model, no twin drawn
  Add("ball", "ball2_", false);                           // 5
  GameObject* home = Add("ball", "ball3");                // 6
  home->arrived = 1;
  Add("map", "board");                                    // 7
  Add("ball", "ball4", false);                            // 8: popped, twin missing

  DrawSceneObjects(device);
  EXPECT_EQ(Drawn(), (std::vector<std::int64_t>{0, 2, 6, 7}));
  EXPECT_FLOAT_EQ(twin->position.x, 2.0f);
  EXPECT_FLOAT_EQ(twin->position.z, -3.0f);
  EXPECT_FLOAT_EQ(twin->spin.y, 0.0f);
  EXPECT_GT(home->spin.x, 0.0f) << "a ball at home wobbles";

  device->calls.clear();
  const f32 wobble = home->spin.x;
  ExitPromptShown = 1;
  DrawSceneObjects(device);
  EXPECT_EQ(Drawn(), (std::vector<std::int64_t>{0, 7}));
  EXPECT_EQ(home->spin.x, wobble) << "nor wobbles while not drawn";
}

TEST_F(FrameRenderTest, AFrameClearsFirstAndDrawsNothingWhenTheSceneCannotBegin) {
  Add("map", "board");
  OnFrameRender(device, 0.0, 0.01f);
  ASSERT_FALSE(device->calls.empty());
  EXPECT_EQ(device->calls.front().op, "Clear");
  EXPECT_EQ(device->calls.front().args[2], std::int64_t(ClearColour));
  EXPECT_EQ(Drawn(), (std::vector<std::int64_t>{0}));
  // The world is identity again after the objects, and the scene ends.
  const auto begin = device->CallsOf("BeginScene"), end = device->CallsOf("EndScene");
  ASSERT_EQ(begin.size(), 1u);
  ASSERT_EQ(end.size(), 1u);
  D3DMATRIX identity{};
  identity._11 = identity._22 = identity._33 = identity._44 = 1.0f;
  const auto worlds = device->CallsOf("SetTransform");
  ASSERT_FALSE(worlds.empty());
  EXPECT_EQ(std::memcmp(&worlds.back().matrix, &identity, sizeof identity), 0);

  device->calls.clear();
  device->failures["BeginScene"] = E_FAIL;
  OnFrameRender(device, 0.0, 0.01f);
  EXPECT_EQ(device->calls.front().op, "Clear");
  EXPECT_TRUE(Drawn().empty());
  EXPECT_TRUE(device->CallsOf("EndScene").empty());
  EXPECT_FALSE(device->CallsOf("SetLight").empty()) << "the lights come before the scene";
}

}  // namespace
