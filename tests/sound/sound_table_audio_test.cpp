// The sound table over the real audio layer and the game's own sound files,
// with the mixer pulled by hand.
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <string>

#include "platform/fmod/output.h"
#include "sound/sound_table.h"
#include "tests/sound/tone.h"

namespace {

class SoundTableAudioTest : public testing::Test {
 protected:
  void SetUp() override {
    InitSound();  // from the game's folder, the source tree
    CloseAudioOutput();
  }
  void TearDown() override { FreeSoundTable(); }
};

TEST_F(SoundTableAudioTest, EveryGameSoundOpensAndTheFolderComesBack) {
  char before[PATH_MAX], after[PATH_MAX];
  ASSERT_NE(getcwd(before, sizeof before), nullptr);
  InitSound();
  CloseAudioOutput();
  ASSERT_NE(getcwd(after, sizeof after), nullptr);
  EXPECT_STREQ(before, after);
  for (int slot = 0; slot < 12; ++slot) {
    ASSERT_NE(SoundTable[slot]->Stream, nullptr) << SoundTable[slot]->Name;
    EXPECT_GT(FSOUND_Stream_GetLength(SoundTable[slot]->Stream), 0);
  }
}

TEST_F(SoundTableAudioTest, AnEffectThatEndsByItselfStillCountsAsPlaying) {
  SoundStream* click = FindSound("iconClick");
  click->Play(true);
  int length = FSOUND_Stream_GetLength(click->Stream);
  MixNow(length + 4096);
  EXPECT_EQ(FSOUND_Stream_GetPosition(click->Stream), unsigned(length));
  EXPECT_EQ(click->Playing, 1);
  std::vector<std::int16_t> after = MixNow(4096);
  for (std::int16_t sample : after) ASSERT_EQ(sample, 0) << "the effect repeated";
}

TEST_F(SoundTableAudioTest, MusicLeavesItsStartWhenPlayedAndReturnsWhenStopped) {
  EXPECT_EQ(PlaySoundByName(CurrentMusicName, true, false), 0);
  FSOUND_STREAM* music = SoundTable[0]->Stream;
  EXPECT_GT(FSOUND_Stream_GetPosition(music), 0u);  // the next frame does not restart it
  MixNow(5000);
  EXPECT_EQ(FSOUND_Stream_GetPosition(music), 5000u);
  PlaySoundByName(CurrentMusicName, false, true);
  EXPECT_EQ(FSOUND_Stream_GetPosition(music), 0u);
  EXPECT_EQ(SoundTable[0]->Playing, 0);
  std::vector<std::int16_t> after = MixNow(2048);
  for (std::int16_t sample : after) ASSERT_EQ(sample, 0);
}

TEST_F(SoundTableAudioTest, WithoutTheSoundFolderTheGameRunsSilently) {
  std::filesystem::path game = std::filesystem::current_path();
  std::filesystem::path empty = testing::TempDir() + "tumblox_no_sounds";
  std::filesystem::create_directories(empty);
  std::filesystem::current_path(empty);
  InitSound();
  CloseAudioOutput();
  EXPECT_EQ(std::filesystem::current_path(), empty);
  std::filesystem::current_path(game);
  std::filesystem::remove_all(empty);

  const char* names[] = {"mainMusic", "mainMusic2", "mainMusic3", "mainMusic4",
                         "spikeRolling", "iconClick", "objHit", "allCleared",
                         "enterGoal", "doorOpen", "success", "error"};
  for (int slot = 0; slot < 12; ++slot) {
    EXPECT_EQ(PlaySoundByName(names[slot], true, false), slot);
    EXPECT_EQ(SoundTable[slot]->Stream, nullptr);
    EXPECT_EQ(SoundTable[slot]->Playing, 1);
  }
  EXPECT_EQ(FSOUND_Stream_GetPosition(FindSound(CurrentMusicName)->Stream), 0u);
  std::vector<std::int16_t> out = MixNow(2048);
  for (std::int16_t sample : out) ASSERT_EQ(sample, 0);
}

}  // namespace
