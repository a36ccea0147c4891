// The sound table over the real audio layer and the game's own sound files,
// with the mixer pulled by hand.
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <string>

#include "platform/fmod/output.h"
#include "sound/sound_table.h"
#include "tests/sound/tone.h"

TEST(SoundTableAudio, GameSoundsOpenAndMusicRewindsWhenStopped) {
  char before[PATH_MAX], after[PATH_MAX];
  ASSERT_NE(getcwd(before, sizeof before), nullptr);
  InitSound();  // from the game's folder, the source tree
  CloseAudioOutput();
  ASSERT_NE(getcwd(after, sizeof after), nullptr);
  EXPECT_STREQ(before, after);
  for (int slot = 0; slot < 12; ++slot) {
    ASSERT_NE(SoundTable[slot]->Stream, nullptr) << SoundTable[slot]->Name;
    EXPECT_GT(FSOUND_Stream_GetLength(SoundTable[slot]->Stream), 0);
  }

  EXPECT_EQ(PlaySoundByName(CurrentMusicName, true, false), 0);
  FSOUND_STREAM* music = SoundTable[0]->Stream;
  EXPECT_GT(FSOUND_Stream_GetPosition(music), 0u);  // the next frame does not restart it
  MixNow(5000);
  EXPECT_EQ(FSOUND_Stream_GetPosition(music), 5000u);
  PlaySoundByName(CurrentMusicName, false, true);
  EXPECT_EQ(FSOUND_Stream_GetPosition(music), 0u);
  for (std::int16_t sample : MixNow(2048)) ASSERT_EQ(sample, 0);
  FreeSoundTable();
}
