#include "game/music.h"

#include "files/profile_values.h"
#include "sound/sound_table.h"
#include "world/text_copy.h"

void SwitchMusic(const char* name) {
  if (MusicMuted) return;
  PlaySoundByName(CurrentMusicName, false, true);
  CopyText(CurrentMusicName, name);
  PlaySoundByName(CurrentMusicName, true, false);
}

// A track at its end, or still at its start after a change or an unmute,
// is played again from the beginning.
void KeepMusicPlaying() {
  SoundStream* music = FindSound(CurrentMusicName);
  if (!music) return;
  const long long position = FSOUND_Stream_GetPosition(music->Stream);
  if ((position == FSOUND_Stream_GetLength(music->Stream) || position == 0) && !MusicMuted)
    music->Play(true);
}
