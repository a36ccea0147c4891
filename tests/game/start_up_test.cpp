// Start-up: the mute button shows the profile's setting before the first
// frame, the window-message callback keeps the first window and passes on
// what the buttons do not take, and missing data is named and shown.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "files/missing_data.h"
#include "files/scrambling.h"
#include "game/flow_commands.h"
#include "game/frame_render.h"
#include "game/menu_buttons.h"
#include "game/start_up.h"
#include "platform/dxut/dxut_state.h"
#include "render/device_callbacks.h"
#include "sound/sound_table.h"
#include "tests/dialog/recorded_quads.h"
#include "tests/files/temp_folder.h"

namespace {

namespace fs = std::filesystem;

// A game folder holding only what the test puts in it; current while it lives.
struct GameFolder {
  GameFolder() : previous(fs::current_path()) { fs::current_path(folder.path); }
  ~GameFolder() { fs::current_path(previous); }
  // The lines scrambled, as the game stores them.
  void Write(const std::string& file, const std::vector<std::string>& lines) {
    fs::create_directories(fs::path(file).parent_path());
    std::string stored;
    for (std::string line : lines) stored += ScrambleText(line.data()) + std::string("\n");
    WriteWholeFile(file, stored);
  }
  TempFolder folder;
  fs::path previous;
};

std::u16string MuteCaption() {
  auto* button = static_cast<CDXUTStatic*>(MenuDialog.GetControl(ButtonMuteMusic, DXUT_CONTROL_BUTTON));
  return button ? std::u16string(button->GetText()) : u"(none)";
}

TEST(StartUpTest, AMutedProfileLabelsTheMuteButtonBeforeTheFirstFrame) {
  {
    GameFolder game;
    game.Write("res/profile/profile.mnd", {"<MuteMusic>true</MuteMusic>"});
    EXPECT_TRUE(ReportMissingGameData());
    InitGame();
    EXPECT_EQ(MuteCaption(), u"UnMute Sound");
    EXPECT_EQ(GameDataMissing, 1);
    FreeSoundTable();
  }
  EXPECT_FALSE(ReportMissingGameData()) << "the source tree holds the game's data";
}

TEST(StartUpTest, TheFirstWindowIsKeptAndButtonClicksGoNoFurther) {
  MainWindow = nullptr;
  if (!MenuDialog.GetControl(ButtonStartGame, DXUT_CONTROL_BUTTON)) AddMenuButtons();
  MenuDialog.SetLocation(854, 0);
  HWND first = reinterpret_cast<HWND>(0x10), second = reinterpret_cast<HWND>(0x20);
  bool noFurther = true;
  EXPECT_EQ(OnWindowMessage(first, WM_CREATE, 0, 0, &noFurther), 0);
  EXPECT_FALSE(noFurther);
  EXPECT_EQ(MainWindow, first);
  OnWindowMessage(second, WM_SIZE, 0, 0, &noFurther);
  EXPECT_EQ(MainWindow, first);

  // A press on a button is the dialog's; one on the board is not.
  const LPARAM onButton = MAKELPARAM(854 + 40, 40), onBoard = MAKELPARAM(300, 300);
  OnWindowMessage(first, WM_LBUTTONDOWN, MK_LBUTTON, onButton, &noFurther);
  EXPECT_TRUE(noFurther);
  OnWindowMessage(first, WM_LBUTTONDOWN, MK_LBUTTON, onBoard, &noFurther);
  EXPECT_FALSE(noFurther);
}

// Folders that are there but empty: every sound and model that does not load
// is named once, however many objects ask for it, and the first frame says
// so within a back buffer of 640 x 480.
TEST(StartUpTest, EveryMissingSoundAndModelIsNamedOnceAndShownOnScreen) {
  GameFolder game;
  fs::create_directories("res/images");
  fs::create_directories("res/sounds");
  game.Write("res/maps/map1.mn",
             {"<TYPE>PLANE</TYPE><FILE>map1</FILE><NEXT>FINISH</NEXT>", "<TYPE>SPIKE</TYPE><NAME>a</NAME>",
              "<TYPE>SPIKE</TYPE><NAME>b</NAME>", "<TYPE>GOAL</TYPE><NAME>goal</NAME>",
              "<TYPE>SPIKE</TYPE><NAME>c</NAME>", "<TYPE>GOAL</TYPE><NAME>goal</NAME>"});
  D3DSURFACE_DESC backBuffer{D3DFMT_X8R8G8B8, D3DRTYPE_SURFACE, 0, D3DPOOL_DEFAULT, 640, 480};
  DXUT().backBuffer = backBuffer;
  auto* device = new RecordingDevice;
  testing::internal::CaptureStderr();
  InitGame();
  ASSERT_EQ(OnDeviceCreated(device, &backBuffer), S_OK);
  ASSERT_EQ(OnDeviceReset(device, &backBuffer), S_OK);
  std::string expected;
  for (const char* sound : {"level1", "level2", "level3", "level4", "stomp1", "menu_confirm", "pop2",
                            "all_cleared", "goal_reached", "door_open", "success", "error"})
    expected += std::string("Tumblox: sound res/sounds/") + sound + ".mp3 could not be loaded\n";
  for (const char* model : {"skybox", "quit", "title", "map1", "spike", "goal"})
    expected += std::string("Tumblox: model res/images/") + model + ".x could not be loaded\n";
  EXPECT_EQ(testing::internal::GetCapturedStderr(), expected);
  EXPECT_EQ(GameDataMissing, 1);

  OnFrameRender(device, 0.0, 0.0f);
  const D3DCOLOR noticeColour = D3DXCOLOR(1.0f, 0.3f, 0.3f, 1.0f);
  int noticeQuads = 0;
  for (const RecordedQuad& quad : AllQuads(*device)) {
    if (quad.color != noticeColour) continue;
    ++noticeQuads;
    EXPECT_GE(quad.top, 480.0f - 60.0f);
    EXPECT_LE(quad.bottom, 480.0f);
  }
  EXPECT_GT(noticeQuads, 20) << "Game data missing: see standard error";

  OnDeviceLost();
  OnDeviceDestroyed();
  FreeSoundTable();
  device->Release();
}

}  // namespace
