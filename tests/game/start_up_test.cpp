// Start-up: the mute button shows the profile's setting before the first
// frame, the window-message callback keeps the first window and passes on
// what the buttons do not take, and missing data is named.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "files/scrambling.h"
#include "game/flow_commands.h"
#include "game/menu_buttons.h"
#include "game/start_up.h"
#include "sound/sound_table.h"
#include "tests/files/temp_folder.h"

namespace {

// A game folder holding nothing but a profile; current while it lives.
struct ProfileFolder {
  explicit ProfileFolder(std::string profile) : previous(std::filesystem::current_path()) {
    std::filesystem::create_directories(folder.path / "res/profile");
    ScrambleText(profile.data());
    WriteWholeFile(folder.File("res/profile/profile.mnd"), profile + "\n");
    std::filesystem::current_path(folder.path);
  }
  ~ProfileFolder() { std::filesystem::current_path(previous); }
  TempFolder folder;
  std::filesystem::path previous;
};

std::u16string MuteCaption() {
  auto* button = static_cast<CDXUTStatic*>(MenuDialog.GetControl(ButtonMuteMusic, DXUT_CONTROL_BUTTON));
  return button ? std::u16string(button->GetText()) : u"(none)";
}

TEST(StartUpTest, AMutedProfileLabelsTheMuteButtonBeforeTheFirstFrame) {
  {
    ProfileFolder game("<MuteMusic>true</MuteMusic>");
    EXPECT_TRUE(ReportMissingGameData());
    InitGame();
    EXPECT_EQ(MuteCaption(), u"UnMute Sound");
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

}  // namespace
