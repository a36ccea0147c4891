// Whole frames drawn by the OpenGL device through the game's own callbacks:
// the clear colour, the first level's lit board and its dimming under the
// exit prompt, a popped ball's twin, a model's plain and skinned pieces, and
// the buttons after a resize.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "game/frame_render.h"
#include "game/menu_buttons.h"
#include "platform/d3d9/gl_device.h"
#include "platform/dxut/dxut_gui.h"
#include "render/device_callbacks.h"
#include "render/device_resources.h"
#include "render/model_loading.h"
#include "tools/png_file/png_file.h"
#include "world/scene.h"

namespace {

class FramePixelsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    PrepareGLWindowAttributes();
    window = SDL_CreateWindow("frames", 0, 0, 1024, 768, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(CreateGLDevice(window, D3DDEVTYPE_HAL, 1024, 768, &device), D3D_OK);
    if (!MenuDialog.GetControl(ButtonStartGame, DXUT_CONTROL_BUTTON)) AddMenuButtons();
    DXUTGetGlobalDialogResourceManager()->OnCreateDevice(device);
    DXUTGetGlobalDialogResourceManager()->OnResetDevice();
    ASSERT_EQ(OnDeviceCreated(device, &backBuffer), S_OK);
    ASSERT_EQ(OnDeviceReset(device, &backBuffer), S_OK);
    ASSERT_NE(CurrentScene, nullptr) << "run from the source tree";
  }
  void TearDown() override {
    ExitPromptShown = 0;
    OnDeviceLost();
    DXUTGetGlobalDialogResourceManager()->OnLostDevice();
    OnDeviceDestroyed();
    DXUTGetGlobalDialogResourceManager()->OnDestroyDevice();
    if (device) device->Release();
    DestroyGLContext();
    if (window) SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }

  void Frame(const std::string& picture) {
    OnFrameMove(device, 0.0, 0.0f);
    OnFrameRender(device, 0.0, 0.0f);
    UINT w = 0, h = 0;
    ASSERT_EQ(ReadGLBackBuffer(device, &pixels, &w, &h), D3D_OK);
    width = int(w);
    WritePng(PictureFolder() + "/frame_" + picture + ".png", pixels, w, h);
  }
  DWORD At(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)] & 0xFFFFFF; }
  // The mean red, green and blue of a box of pixels.
  std::array<double, 3> Colour(int x0, int y0, int x1, int y1) const {
    std::array<double, 3> sum{};
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x)
        for (int c = 0; c < 3; ++c) sum[size_t(c)] += (At(x, y) >> (16 - 8 * c)) & 0xFF;
    for (double& v : sum) v /= double((x1 - x0) * (y1 - y0));
    return sum;
  }
  double Brightness(int x0, int y0, int x1, int y1) const {
    const std::array<double, 3> c = Colour(x0, y0, x1, y1);
    return (c[0] + c[1] + c[2]) / 3.0;
  }
  // Where a point of the world shows, in back-buffer pixels.
  POINT OnScreen(const Vec3& p) const {
    const D3DXVECTOR3 world{p.x, p.y, p.z};
    D3DXVECTOR3 view, clip;
    D3DXVec3TransformCoord(&view, &world, &ViewMatrix);
    D3DXVec3TransformCoord(&clip, &view, &ProjectionMatrix);
    return {LONG((clip.x + 1) * 0.5f * float(width)), LONG((1 - clip.y) * 0.5f * 768.0f)};
  }

  D3DSURFACE_DESC backBuffer{D3DFMT_X8R8G8B8, D3DRTYPE_SURFACE, 0, D3DPOOL_DEFAULT, 1024, 768};
  SDL_Window* window = nullptr;
  IDirect3DDevice9* device = nullptr;
  std::vector<DWORD> pixels;
  int width = 0;
};

TEST_F(FramePixelsTest, WithNoLevelTheClearColourShows) {
  delete CurrentScene;
  CurrentScene = nullptr;
  Frame("no_level");
  EXPECT_EQ(At(500, 740), ClearColour & 0xFFFFFF);
  EXPECT_EQ(At(5, 5), ClearColour & 0xFFFFFF);
}

TEST_F(FramePixelsTest, TheBoardIsLitAndDimmedUnderTheExitPrompt) {
  Frame("lit");
  const POINT centre = OnScreen({0, 0, 0});
  const double lit = Brightness(centre.x - 20, centre.y - 20, centre.x + 20, centre.y + 20);
  EXPECT_GT(lit, 60.0);
  ExitPromptShown = 1;
  Frame("exit_prompt");
  const double dimmed = Brightness(centre.x - 20, centre.y - 20, centre.x + 20, centre.y + 20);
  EXPECT_LT(dimmed, 0.8 * lit);
  EXPECT_GT(dimmed, 0.2 * lit) << "dimmed, not dark";
}

TEST_F(FramePixelsTest, APoppedBallsTwinShowsInItsPlace) {
  GameObject* ball = nullptr;
  for (GameObject* o = CurrentScene->firstObject; o && !ball; o = o->next)
    if (o->IsBall()) ball = o;
  ASSERT_NE(ball, nullptr);
  GameObject* twin = CurrentScene->FindByName((std::string(ball->name) + "_").c_str());
  ASSERT_NE(twin, nullptr);
  Frame("ball");
  const POINT at = OnScreen({ball->position.x + ball->length / 2, ball->position.y + ball->height / 2,
                             ball->position.z - ball->width / 2});
  // A ball may be as bright as the floor it stands on, but not of its colour.
  auto around = [&] { return Colour(at.x - 6, at.y - 6, at.x + 6, at.y + 6); };
  auto apart = [](const std::array<double, 3>& a, const std::array<double, 3>& b) {
    return std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]);
  };
  const std::array<double, 3> withBall = around();
  ball->shown = 0;
  twin->name[0] = 'x';  // no twin to be found: the board alone
  Frame("no_twin");
  const std::array<double, 3> boardAlone = around();
  twin->name[0] = ball->name[0];
  Frame("twin");
  const std::array<double, 3> withTwin = around();
  EXPECT_GT(apart(withBall, boardAlone), 15.0);
  EXPECT_GT(apart(withTwin, boardAlone), 15.0) << "the twin stands where the ball was";
  EXPECT_EQ(twin->position.x, ball->position.x);
  EXPECT_EQ(twin->position.z, ball->position.z);
}

TEST_F(FramePixelsTest, APlainPieceStandsAtItsObjectAndASkinnedOneWhereItsBonesPutIt) {
  delete CurrentScene;
  CurrentScene = new Scene();
  CurrentScene->cameraPosition = {10, 0, 0};  // the world seen along +z, from z = -10
  CurrentScene->AddObjectAt("trigger", 0, 0, 0, -3, -1, 0);
  GameObject* object = CurrentScene->lastAdded;
  MeshHierarchy allocator;
  ASSERT_EQ(LoadObjectMesh("../../tests/render/models/skinned.x", device, object, &allocator), S_OK);
  // The plain triangle glows red, the skinned strip green; the light from
  // above adds nothing to faces that look at the camera.
  const auto* root = static_cast<ModelFrame*>(D3DXFrameFind(object->frameRoot, "Root"));
  ASSERT_NE(root, nullptr);
  for (D3DXMESHCONTAINER* piece = root->pMeshContainer; piece; piece = piece->pNextMeshContainer)
    piece->pMaterials[0].MatD3D.Emissive = piece->pSkinInfo ? D3DCOLORVALUE{0, 1, 0, 1}
                                                             : D3DCOLORVALUE{1, 0, 0, 1};
  // The strip's first bone, and the second with it, moved 2 to the right.
  D3DXFRAME* bone = D3DXFrameFind(object->frameRoot, "Bone1");
  ASSERT_NE(bone, nullptr);
  D3DXMatrixTranslation(&bone->TransformationMatrix, 2, 1, 0);
  Frame("model_pieces");
  const DWORD clear = ClearColour & 0xFFFFFF, red = 0xFF0000, green = 0x00FF00;
  auto at = [&](f32 x, f32 y) {
    const POINT p = OnScreen({x, y, 0});
    return At(p.x, p.y);
  };
  EXPECT_EQ(at(-2.75f, -0.75f), red) << "the plain triangle at its object";
  EXPECT_EQ(at(2.2f, 1.2f), green) << "the strip where its bones are";
  EXPECT_EQ(at(0.2f, 1.2f), clear) << "not where the model has it";
  EXPECT_EQ(at(-2.8f, 0.2f), clear) << "nor where its object is";
}

TEST_F(FramePixelsTest, TheButtonsFollowTheRightEdgeAfterAResize) {
  OnDeviceLost();
  DXUTGetGlobalDialogResourceManager()->OnLostDevice();
  ASSERT_EQ(ResetGLDevice(device, 800, 600), D3D_OK);
  backBuffer.Width = 800;
  backBuffer.Height = 600;
  DXUTGetGlobalDialogResourceManager()->OnResetDevice();
  ASSERT_EQ(OnDeviceReset(device, &backBuffer), S_OK);
  CDXUTControl* start = MenuDialog.GetControl(ButtonStartGame, DXUT_CONTROL_BUTTON);
  const int x = 800 - 170 + 35 + 62, y = 45;
  Frame("buttons_800");
  const DWORD withButton = At(x, y);
  start->SetVisible(false);
  Frame("buttons_800_hidden");
  start->SetVisible(true);
  EXPECT_NE(At(x, y), withButton);
}

}  // namespace
