// The sound table against a recording audio layer: where it opens its files,
// what a missing or throwing file leaves, and which plays set a loop mode.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <map>
#include <string>

#include "sound/sound_table.h"
#include "tests/files/temp_folder.h"
#include "tests/sound/recording_fmod.h"

namespace {

const char* const Names[12] = {"mainMusic", "mainMusic2", "mainMusic3", "mainMusic4",
                               "spikeRolling", "iconClick", "objHit", "allCleared",
                               "enterGoal", "doorOpen", "success", "error"};
const char* const Files[12] = {"level1.mp3", "level2.mp3", "level3.mp3", "level4.mp3",
                               "stomp1.mp3", "menu_confirm.mp3", "pop2.mp3", "all_cleared.mp3",
                               "goal_reached.mp3", "door_open.mp3", "success.mp3", "error.mp3"};

std::string CurrentFolder() {
  char folder[PATH_MAX];
  return getcwd(folder, sizeof folder) ? folder : "";
}

// Runs each test in a fresh game folder with res/sounds, every file openable.
class SoundTableTest : public testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(game_ + "/res/sounds");
    ASSERT_EQ(chdir(game_.c_str()), 0);
    OpenableFiles.assign(std::begin(Files), std::end(Files));
    ThrowingFile.clear();
    OpenFolders.clear();
    LoopModes.clear();
  }
  void TearDown() override {
    FreeSoundTable();
    ASSERT_EQ(chdir(start_.c_str()), 0);
  }
  TempFolder folder_;
  std::string start_ = CurrentFolder(), game_ = folder_.path.string();
};

// The data folders reached through links, as a packaged install has them.
TEST_F(SoundTableTest, InitOpensTwelveSoundsFromTheSoundFolderAndComesBackToTheGameFolder) {
  namespace fs = std::filesystem;
  const std::string elsewhere = game_ + "/elsewhere";
  const struct { const char* layout; const char* moved; } layouts[] = {
      {"plain folders", nullptr}, {"res linked", "res"}, {"res/sounds linked", "res/sounds"}};
  for (const auto& [layout, moved] : layouts) {
    if (moved) {
      fs::create_directories(elsewhere);
      fs::rename(game_ + "/" + moved, elsewhere + "/data");
      fs::create_directory_symlink(elsewhere + "/data", game_ + "/" + moved);
    }
    const std::string sounds = fs::canonical(game_ + "/res/sounds");
    strcpy(CurrentMusicName, "mainMusic3");
    OpenFolders.clear();
    InitSound();
    EXPECT_EQ(CurrentFolder(), game_) << layout;
    EXPECT_STREQ(CurrentMusicName, "mainMusic");
    for (int slot = 0; slot < 12; ++slot) {
      ASSERT_NE(SoundTable[slot], nullptr);
      EXPECT_STREQ(SoundTable[slot]->Name, Names[slot]);
      EXPECT_EQ(SoundTable[slot]->Channel, slot);
      EXPECT_NE(SoundTable[slot]->Stream, nullptr) << layout << " " << Files[slot];
      EXPECT_EQ(FindSound(Names[slot]), SoundTable[slot]);
    }
    for (const std::string& folder : OpenFolders) EXPECT_EQ(folder, sounds) << layout;
    for (int slot = 12; slot < SoundTableSize; ++slot) EXPECT_EQ(SoundTable[slot], nullptr);
    if (moved) {
      fs::remove(game_ + "/" + moved);
      fs::rename(elsewhere + "/data", game_ + "/" + moved);
    }
  }
  // Lookups match whole names exactly.
  EXPECT_EQ(FindSoundIndex("mainMusic2"), 1);
  EXPECT_EQ(FindSoundIndex("error"), 11);
  for (const char* other : {"mainMus", "mainMusic22", "MainMusic", ""})
    EXPECT_EQ(FindSoundIndex(other), -1) << other;
}

TEST_F(SoundTableTest, AGameFolderWhoseNameIsNotUtf8IsNeverLeft) {
  const std::string odd = game_ + "/odd\xFF";
  std::filesystem::create_directories(odd + "/res/sounds");
  ASSERT_EQ(chdir(odd.c_str()), 0);
  InitSound();
  EXPECT_EQ(CurrentFolder(), odd);
}

TEST_F(SoundTableTest, WithoutTheSoundFolderOrItsFilesEverySoundStillAnswers) {
  std::filesystem::remove_all(game_ + "/res");
  OpenableFiles.clear();
  InitSound();
  EXPECT_EQ(CurrentFolder(), game_);
  for (const std::string& folder : OpenFolders) EXPECT_EQ(folder, game_);
  for (int slot = 0; slot < 12; ++slot) {
    ASSERT_EQ(FindSoundIndex(Names[slot]), slot);
    EXPECT_EQ(PlaySoundByName(Names[slot], false, false), slot);
    EXPECT_EQ(SoundTable[slot]->Playing, 1);
    EXPECT_EQ(PlaySoundByName(Names[slot], false, true), slot);
    EXPECT_EQ(SoundTable[slot]->Playing, 0);
  }
}

TEST_F(SoundTableTest, OnlyALoopingPlaySetsItsChannelsLoopMode) {
  InitSound();
  const std::map<int, unsigned> mainMusic3Loops = {{2, FSOUND_LOOP_NORMAL}};
  SoundTable[2]->Play(true);
  EXPECT_EQ(LoopModes, mainMusic3Loops);
  EXPECT_EQ(SoundTable[2]->Looping, 1);
  SoundTable[2]->Play(false);  // the channel keeps its mode
  SoundTable[5]->Play(false);
  EXPECT_EQ(LoopModes, mainMusic3Loops);
  EXPECT_EQ(SoundTable[2]->Looping, 0);
}

TEST_F(SoundTableTest, AnOpenThatThrowsLeavesANamelessSilentEntry) {
  ThrowingFile = "pop2.mp3";
  InitSound();
  ASSERT_NE(SoundTable[6], nullptr);
  EXPECT_STREQ(SoundTable[6]->Name, "");
  EXPECT_EQ(SoundTable[6]->Stream, nullptr);
  EXPECT_EQ(FindSoundIndex("objHit"), -1);
  EXPECT_EQ(FindSoundIndex("allCleared"), 7);
  EXPECT_EQ(CurrentFolder(), game_);
}

// Streams left open would show as leaks in the sanitized build.
TEST_F(SoundTableTest, ASecondInitFreesTheFirstAndFreeingTwiceIsSafe) {
  InitSound();
  SoundTable[3]->Play(true);
  InitSound();
  EXPECT_EQ(FindSoundIndex("error"), 11);
  FreeSoundTable();
  EXPECT_EQ(SoundTable, nullptr);
  EXPECT_EQ(FindSoundIndex("mainMusic"), -1);
  FreeSoundTable();
}

}  // namespace
