// The game's named sounds: one stream each, opened once at start-up, each
// playing on its own channel (its slot in the table).
#pragma once
#include "platform/fmod/fmod.h"
#include "platform/types.h"

struct SoundStream {
  char Name[256];
  FSOUND_STREAM* Stream;
  i32 Channel;
  u8 Looping;
  u8 Playing;
  u8 Disabled;

  SoundStream(const char* name, const char* file, i32 channel);
  void Play(bool loop);
  void Stop();
};

constexpr i32 SoundTableSize = 100;

extern SoundStream** SoundTable;
extern char CurrentMusicName[256];

void InitSound();
void FreeSoundTable();
i32 FindSoundIndex(const char* name);
SoundStream* FindSound(const char* name);
i32 PlaySoundByName(const char* name, bool loop, bool stop);
