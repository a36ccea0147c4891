// The sound table over the real audio layer and the game's own sound files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>

#include "platform/fmod/output.h"
#include "sound/sound_table.h"

TEST(SoundTableAudio, EveryGameSoundOpensAndTheFolderComesBack) {
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
  FreeSoundTable();
}
