// The sound table over the real audio layer and the game's own sound files,
// the mixer pulled by hand.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <climits>

#include "platform/fmod/output.h"
#include "sound/sound_table.h"
#include "tests/sound/tone.h"

namespace {

bool Silent(const std::vector<std::int16_t>& samples) {
  return std::all_of(samples.begin(), samples.end(), [](std::int16_t s) { return s == 0; });
}

class SoundTableAudio : public testing::Test {
 protected:
  void SetUp() override {
    InitSound();  // from the game's folder, the source tree
    CloseAudioOutput();
  }
  void TearDown() override { FreeSoundTable(); }
};

TEST_F(SoundTableAudio, EverySlotSoundsOnItsOwnChannel) {
  for (int slot = 0; slot < 12; ++slot) {
    SoundStream* sound = SoundTable[slot];
    ASSERT_NE(sound->Stream, nullptr) << sound->Name;
    unsigned length = FSOUND_Stream_GetLength(sound->Stream);
    sound->Play(false);
    EXPECT_FALSE(Silent(MixNow(std::min(length, 3 * 44100u)))) << sound->Name;
    EXPECT_GT(FSOUND_Stream_GetPosition(sound->Stream), 0u) << sound->Name;
    sound->Stop();
    EXPECT_TRUE(Silent(MixNow(1024))) << sound->Name;
  }
}

TEST_F(SoundTableAudio, PlayingAgainStartsFromTheBeginningWhetherCutShortOrPlayedOut) {
  SoundStream* door = FindSound("doorOpen");
  const unsigned length = FSOUND_Stream_GetLength(door->Stream);
  ASSERT_GT(length, 7000u);
  door->Play(false);
  const std::vector<std::int16_t> first = MixNow(4000);
  for (unsigned further : {3000u, length}) {
    MixNow(further);
    door->Play(false);  // one copy, from its beginning again
    EXPECT_EQ(MixNow(4000), first) << "after " << 4000 + further << " frames";
  }
}

TEST_F(SoundTableAudio, StopRewindsEvenWhenDisabledAndASoundPlayedOutStillCountsAsPlaying) {
  SoundStream* door = FindSound("doorOpen");
  door->Play(true);
  MixNow(3000);
  door->Disabled = 1;
  door->Stop();
  EXPECT_EQ(FSOUND_Stream_GetPosition(door->Stream), 0u);
  EXPECT_EQ(door->Playing, 0);
  door->Play(true);  // disabled: nothing sounds
  EXPECT_TRUE(Silent(MixNow(4000)));
  EXPECT_EQ(door->Playing, 0);

  // Played to its end by itself, a sound still counts as playing.
  SoundStream* click = FindSound("iconClick");
  click->Play(false);
  MixNow(FSOUND_Stream_GetLength(click->Stream) + 1024);
  EXPECT_EQ(FSOUND_Stream_GetPosition(click->Stream), unsigned(FSOUND_Stream_GetLength(click->Stream)));
  EXPECT_EQ(click->Playing, 1);
}

}  // namespace
