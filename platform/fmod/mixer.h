// Inside our audio layer: decoded streams, the numbered channels that play
// them and the mixer that the output (and the tests) pull frames from.
#pragma once
#include <chrono>
#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/fmod/fmod.h"
#include "platform/types.h"

constexpr i32 MixerMaxChannels = 32;
// Frames per output buffer: a just-played stream is mixed within this many.
constexpr u32 MixerBufferFrames = 512;

struct FSOUND_STREAM {
  std::vector<std::int16_t> samples;  // stereo, interleaved, at the mixing rate
  u32 length = 0;            // in frames
  u32 position = 0;          // next frame to mix
  i32 channel = -1;          // the channel it plays on, or -1
  // Played, but no frame of it has been mixed yet since playedAt.
  bool awaitingMix = false;
  std::chrono::steady_clock::time_point playedAt;
};

// Guards every field above and the channels; the output mixes on its own thread.
extern std::mutex MixerMutex;
extern i32 MixerRate;
extern i32 MixerChannelCount;

// Takes the stream off its channel, if it plays. MixerMutex held.
void DetachStream(FSOUND_STREAM* stream);
// Puts the stream on a channel, cutting what played there. MixerMutex held.
void AttachStream(FSOUND_STREAM* stream, i32 channel);
// Mixes the playing streams into `frames` stereo frames, clipped to 16 bits,
// and moves them on; a stream that reaches its end leaves its channel.
void MixFrames(std::int16_t* out, u32 frames);
