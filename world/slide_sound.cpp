#include "sound/sound_table.h"
#include "world/game_step.h"

void SoundSlide(const char* name, bool ended) {
  SoundStream* sound = FindSound(name);
  if (!sound) return;
  if (!sound->Playing) sound->Play(false);
  if (ended) sound->Stop();
}
