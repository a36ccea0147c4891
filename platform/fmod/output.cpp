#include "platform/fmod/output.h"

#include <SDL.h>

#include <algorithm>
#include <condition_variable>
#include <thread>

#include "platform/fmod/mixer.h"

namespace {

SDL_AudioDeviceID Device = 0;

std::thread SilentThread;
std::mutex SilentMutex;
std::condition_variable SilentWake;
bool SilentStopping = false;

// The output must stop before the process's other state goes away.
struct OutputCloser {
  ~OutputCloser() { CloseAudioOutput(); }
} Closer;

void MixIntoDevice(void*, Uint8* buffer, int bytes) {
  MixFrames(reinterpret_cast<std::int16_t*>(buffer),
            static_cast<u32>(bytes) / (2 * sizeof(std::int16_t)));
}

bool OpenDevice(int rate) {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  SDL_AudioSpec wanted{};
  wanted.freq = rate;
  wanted.format = AUDIO_S16SYS;
  wanted.channels = 2;
  wanted.samples = MixerBufferFrames;
  wanted.callback = MixIntoDevice;
  // No changes allowed: SDL converts to whatever the device really takes.
  Device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
  if (Device == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  SDL_PauseAudioDevice(Device, 0);
  return true;
}

// Without a device the streams still play, into nothing, at the pace a
// device would take them, so positions and ends behave the same.
void MixIntoNothing(int rate) {
  std::int16_t scratch[MixerBufferFrames * 2];
  const auto start = std::chrono::steady_clock::now();
  u64 mixed = 0;
  std::unique_lock lock(SilentMutex);
  while (!SilentStopping) {
    auto elapsed = std::chrono::steady_clock::now() - start;
    u64 due = std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count() *
              u64(rate) / 1000000;
    while (mixed + MixerBufferFrames <= due) {
      MixFrames(scratch, MixerBufferFrames);
      mixed += MixerBufferFrames;
    }
    SilentWake.wait_for(lock, std::chrono::milliseconds(5));
  }
}

}  // namespace

bool OpenAudioOutput(int rate) {
  CloseAudioOutput();
  if (OpenDevice(rate)) return true;
  SilentStopping = false;
  SilentThread = std::thread(MixIntoNothing, rate);
  return false;
}

void CloseAudioOutput() {
  if (Device != 0) {
    SDL_CloseAudioDevice(Device);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    Device = 0;
  }
  if (SilentThread.joinable()) {
    {
      std::lock_guard lock(SilentMutex);
      SilentStopping = true;
    }
    SilentWake.notify_all();
    SilentThread.join();
  }
}

signed char FSOUND_Init(int mixrate, int maxchannels, unsigned int) {
  i32 rate;
  {
    std::lock_guard lock(MixerMutex);
    if (mixrate > 0) MixerRate = mixrate;
    MixerChannelCount = std::clamp(maxchannels, 1, MixerMaxChannels);
    rate = MixerRate;
  }
  OpenAudioOutput(rate);
  return 1;
}
