// The sound table against a recording audio layer: which calls each
// operation makes, in which order, with which channel and stream.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <string>

#include "sound/sound_table.h"
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
    start_ = CurrentFolder();
    char pattern[] = "/tmp/tumblox_sound_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    game_ = pattern;
    std::filesystem::create_directories(game_ + "/res/sounds");
    ASSERT_EQ(chdir(game_.c_str()), 0);
    OpenableFiles.assign(std::begin(Files), std::end(Files));
    ThrowingFile.clear();
    AudioCalls.clear();
  }
  void TearDown() override {
    FreeSoundTable();
    ASSERT_EQ(chdir(start_.c_str()), 0);
    std::filesystem::remove_all(game_);
  }
  // The calls made since the last look, then forgets them.
  std::vector<AudioCall> TakeCalls() { return std::exchange(AudioCalls, {}); }

  std::string start_, game_;
};

TEST_F(SoundTableTest, InitOpensTwelveSoundsFromTheSoundFolderOnTheirOwnChannels) {
  strcpy(CurrentMusicName, "mainMusic3");
  InitSound();
  EXPECT_EQ(CurrentFolder(), game_);
  EXPECT_STREQ(CurrentMusicName, "mainMusic");

  std::vector<AudioCall> calls = TakeCalls();
  ASSERT_EQ(calls.size(), 13u);
  EXPECT_EQ(calls[0].what, "Init");
  EXPECT_EQ(calls[0].value, 44100);
  for (int slot = 0; slot < 12; ++slot) {
    EXPECT_EQ(calls[slot + 1].what, "Open");
    EXPECT_EQ(calls[slot + 1].file, Files[slot]);
    EXPECT_EQ(calls[slot + 1].folder, game_ + "/res/sounds");
    SoundStream* sound = SoundTable[slot];
    ASSERT_NE(sound, nullptr);
    EXPECT_STREQ(sound->Name, Names[slot]);
    EXPECT_EQ(sound->Channel, slot);
    EXPECT_NE(sound->Stream, nullptr);
    EXPECT_EQ(sound->Playing, 0);
    EXPECT_EQ(sound->Disabled, 0);
  }
  for (int slot = 12; slot < SoundTableSize; ++slot) EXPECT_EQ(SoundTable[slot], nullptr);
}

TEST_F(SoundTableTest, WithoutTheSoundFolderTheFilesAreSoughtInTheGameFolderWhichStays) {
  std::filesystem::remove_all(game_ + "/res");
  InitSound();
  EXPECT_EQ(CurrentFolder(), game_);
  for (const AudioCall& call : TakeCalls()) {
    if (call.what == "Open") {
      EXPECT_EQ(call.folder, game_);
    }
  }
  for (int slot = 0; slot < 12; ++slot) EXPECT_EQ(FindSoundIndex(Names[slot]), slot);
}

TEST_F(SoundTableTest, EveryFileMissingLeavesTwelveNamedSoundsThatStillReachTheLayer) {
  OpenableFiles.clear();
  InitSound();
  TakeCalls();
  for (int slot = 0; slot < 12; ++slot) {
    ASSERT_EQ(FindSoundIndex(Names[slot]), slot);
    EXPECT_EQ(PlaySoundByName(Names[slot], false, false), slot);
    EXPECT_EQ(SoundTable[slot]->Playing, 1);
    EXPECT_EQ(PlaySoundByName(Names[slot], false, true), slot);
    EXPECT_EQ(SoundTable[slot]->Playing, 0);
  }
  std::vector<AudioCall> calls = TakeCalls();
  ASSERT_EQ(calls.size(), 12u * 4);  // rewind and play, stop and rewind
  for (const AudioCall& call : calls) EXPECT_EQ(call.stream, nullptr);
}

TEST_F(SoundTableTest, LookupsMatchWholeNamesExactly) {
  InitSound();
  EXPECT_EQ(FindSoundIndex("mainMusic"), 0);
  EXPECT_EQ(FindSoundIndex("mainMusic2"), 1);
  EXPECT_EQ(FindSoundIndex("error"), 11);
  EXPECT_EQ(FindSoundIndex("mainMus"), -1);
  EXPECT_EQ(FindSoundIndex("mainMusic22"), -1);
  EXPECT_EQ(FindSoundIndex("MainMusic"), -1);
  EXPECT_EQ(FindSoundIndex(""), -1);
  EXPECT_EQ(FindSound("doorOpen"), SoundTable[9]);
  EXPECT_EQ(FindSound("dooropen"), nullptr);
}

TEST_F(SoundTableTest, LoopingPlaySetsTheModeThenRewindsAndPlaysOnItsChannel) {
  InitSound();
  SoundStream* music = SoundTable[2];
  TakeCalls();
  music->Play(true);
  std::vector<AudioCall> calls = TakeCalls();
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].what, "SetLoopMode");
  EXPECT_EQ(calls[0].value, 2 * 100 + FSOUND_LOOP_NORMAL);
  EXPECT_EQ(calls[1].what, "SetPosition");
  EXPECT_EQ(calls[1].stream, music->Stream);
  EXPECT_EQ(calls[1].value, 0);
  EXPECT_EQ(calls[2].what, "Play");
  EXPECT_EQ(calls[2].stream, music->Stream);
  EXPECT_EQ(calls[2].value, 2);
  EXPECT_EQ(music->Looping, 1);
  EXPECT_EQ(music->Playing, 1);

  // A plain play after a looping one leaves the channel's loop mode alone.
  music->Play(false);
  calls = TakeCalls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].what, "SetPosition");
  EXPECT_EQ(calls[1].what, "Play");
  EXPECT_EQ(music->Looping, 0);
}

TEST_F(SoundTableTest, StopSilencesAndRewindsEvenWhenDisabled) {
  InitSound();
  SoundStream* click = FindSound("iconClick");
  click->Play(false);
  TakeCalls();
  click->Disabled = 1;
  click->Play(true);
  EXPECT_TRUE(TakeCalls().empty());
  EXPECT_EQ(click->Playing, 1);

  EXPECT_EQ(PlaySoundByName("iconClick", true, true), 5);
  std::vector<AudioCall> calls = TakeCalls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].what, "Stop");
  EXPECT_EQ(calls[0].stream, click->Stream);
  EXPECT_EQ(calls[1].what, "SetPosition");
  EXPECT_EQ(calls[1].value, 0);
  EXPECT_EQ(click->Playing, 0);
}

TEST_F(SoundTableTest, PlaySoundByNameActsOnlyOnAnEntryItFinds) {
  InitSound();
  TakeCalls();
  EXPECT_EQ(PlaySoundByName("nothing", true, false), 0);
  EXPECT_EQ(SoundTable[0]->Playing, 0);
  EXPECT_TRUE(TakeCalls().empty());

  EXPECT_EQ(PlaySoundByName("objHit", false, false), 6);
  EXPECT_EQ(SoundTable[6]->Playing, 1);
  EXPECT_EQ(TakeCalls().back().value, 6);
}

TEST_F(SoundTableTest, AnOpenThatThrowsLeavesANamelessSilentEntry) {
  ThrowingFile = "pop2.mp3";
  InitSound();
  ASSERT_NE(SoundTable[6], nullptr);
  EXPECT_STREQ(SoundTable[6]->Name, "");
  EXPECT_EQ(SoundTable[6]->Stream, nullptr);
  EXPECT_EQ(SoundTable[6]->Channel, 6);
  EXPECT_EQ(FindSoundIndex("objHit"), -1);
  EXPECT_EQ(FindSoundIndex("allCleared"), 7);
  EXPECT_EQ(CurrentFolder(), game_);
}

TEST_F(SoundTableTest, FreeClosesEveryEntryAndASecondInitStartsAfresh) {
  InitSound();
  SoundTable[3]->Play(true);
  InitSound();  // frees the first table
  std::vector<AudioCall> calls = TakeCalls();
  int closes = 0;
  for (const AudioCall& call : calls) closes += call.what == "Close";
  EXPECT_EQ(closes, 12);
  EXPECT_EQ(FindSoundIndex("error"), 11);

  FreeSoundTable();
  EXPECT_EQ(SoundTable, nullptr);
  EXPECT_EQ(FindSoundIndex("mainMusic"), -1);
  TakeCalls();
  FreeSoundTable();  // without a table
  EXPECT_EQ(SoundTable, nullptr);
  EXPECT_TRUE(TakeCalls().empty());
}

}  // namespace
