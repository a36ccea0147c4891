#include <algorithm>

#include "platform/fmod/mixer.h"

signed char FSOUND_Init(int mixrate, int maxchannels, unsigned int) {
  std::lock_guard lock(MixerMutex);
  if (mixrate > 0) MixerRate = mixrate;
  MixerChannelCount = std::clamp(maxchannels, 1, MixerMaxChannels);
  return 1;
}
