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
  // The calls made since the last look, as "what value" lines.
  std::vector<std::string> TakeCalls() {
    std::vector<std::string> lines;
    for (const AudioCall& c : std::exchange(AudioCalls, {}))
      lines.push_back(c.what + " " + std::to_string(c.value) + (c.stream ? "" : " null"));
    return lines;
  }

  std::string start_, game_;
};

TEST_F(SoundTableTest, InitOpensTwelveSoundsFromTheSoundFolderOnTheirOwnChannels) {
  strcpy(CurrentMusicName, "mainMusic3");
  InitSound();
  EXPECT_EQ(CurrentFolder(), game_);
  EXPECT_STREQ(CurrentMusicName, "mainMusic");
  ASSERT_EQ(AudioCalls.size(), 13u);
  EXPECT_EQ(AudioCalls[0].what, "Init");
  EXPECT_EQ(AudioCalls[0].value, 44100);
  for (int slot = 0; slot < 12; ++slot) {
    EXPECT_EQ(AudioCalls[slot + 1].file, Files[slot]);
    EXPECT_EQ(AudioCalls[slot + 1].folder, game_ + "/res/sounds");
    ASSERT_NE(SoundTable[slot], nullptr);
    EXPECT_STREQ(SoundTable[slot]->Name, Names[slot]);
    EXPECT_EQ(SoundTable[slot]->Channel, slot);
    EXPECT_NE(SoundTable[slot]->Stream, nullptr);
  }
  for (int slot = 12; slot < SoundTableSize; ++slot) EXPECT_EQ(SoundTable[slot], nullptr);
  // Lookups match whole names exactly.
  EXPECT_EQ(FindSoundIndex("mainMusic2"), 1);
  EXPECT_EQ(FindSoundIndex("error"), 11);
  for (const char* other : {"mainMus", "mainMusic22", "MainMusic", ""})
    EXPECT_EQ(FindSoundIndex(other), -1) << other;
  EXPECT_EQ(FindSound("doorOpen"), SoundTable[9]);
}

TEST_F(SoundTableTest, WithoutTheSoundFolderOrItsFilesEverySoundStillAnswers) {
  std::filesystem::remove_all(game_ + "/res");
  OpenableFiles.clear();
  InitSound();
  EXPECT_EQ(CurrentFolder(), game_);
  for (const AudioCall& call : AudioCalls)
    EXPECT_TRUE(call.what != "Open" || call.folder == game_) << call.folder;
  TakeCalls();
  for (int slot = 0; slot < 12; ++slot) {
    ASSERT_EQ(FindSoundIndex(Names[slot]), slot);
    EXPECT_EQ(PlaySoundByName(Names[slot], false, false), slot);
    EXPECT_EQ(SoundTable[slot]->Playing, 1);
    EXPECT_EQ(PlaySoundByName(Names[slot], false, true), slot);
    EXPECT_EQ(SoundTable[slot]->Playing, 0);
  }
  std::vector<std::string> calls = TakeCalls();
  ASSERT_EQ(calls.size(), 12u * 4);  // rewind and play, stop and rewind
  for (const std::string& call : calls) EXPECT_TRUE(call.ends_with(" null")) << call;
}

TEST_F(SoundTableTest, PlayStopAndDisabledMakeTheirCallsInOrder) {
  InitSound();
  TakeCalls();
  SoundStream* music = SoundTable[2];
  music->Play(true);  // loop mode on its channel first, then rewind and play
  EXPECT_EQ(TakeCalls(), (std::vector<std::string>{
                             "SetLoopMode " + std::to_string(2 * 100 + FSOUND_LOOP_NORMAL) + " null",
                             "SetPosition 0", "Play 2"}));
  EXPECT_EQ(music->Looping, 1);
  music->Play(false);  // leaves the channel's loop mode alone
  EXPECT_EQ(TakeCalls(), (std::vector<std::string>{"SetPosition 0", "Play 2"}));
  EXPECT_EQ(music->Looping, 0);

  // A disabled sound plays silently, but a stop still stops and rewinds it.
  SoundStream* click = FindSound("iconClick");
  click->Play(false);
  TakeCalls();
  click->Disabled = 1;
  click->Play(true);
  EXPECT_TRUE(TakeCalls().empty());
  EXPECT_EQ(click->Playing, 1);
  EXPECT_EQ(PlaySoundByName("iconClick", true, true), 5);
  EXPECT_EQ(TakeCalls(), (std::vector<std::string>{"Stop 0", "SetPosition 0"}));
  EXPECT_EQ(click->Playing, 0);

  // An unknown name does nothing.
  EXPECT_EQ(PlaySoundByName("nothing", true, false), 0);
  EXPECT_EQ(SoundTable[0]->Playing, 0);
  EXPECT_TRUE(TakeCalls().empty());
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
