// Inside our audio layer: streams, the numbered channels that play them and
// the mixer that the output (and the tests) pull frames from.
//
// A stream decodes its file as it plays. The mixer asks each playing
// stream's decoder for exactly the frames it mixes next; the decoder keeps
// what is left of its last mp3 frame in its own fixed buffer, so a stream
// holds under 100 kB however long its track. Decoding one output buffer
// costs a stream about 15 microseconds against the 11.6 ms the buffer lasts,
// so it runs at the mixer's feeding point, under the mixer lock, and reads
// the file in small sequential pieces. A stream moved elsewhere (rewound,
// positioned) puts its decoder back there on its next mix, so the game's
// frequent rewinds of stopped sounds cost nothing.
#pragma once
#include <chrono>
#include <cstdint>
#include <mutex>

#include "platform/fmod/fmod.h"
#include "platform/types.h"

struct mpg123_handle_struct;

constexpr i32 MixerMaxChannels = 32;
// Frames per output buffer: a just-played stream is mixed within this many.
constexpr u32 MixerBufferFrames = 512;

struct FSOUND_STREAM {
  int file = -1;  // the mp3 file, open for the stream's life
  mpg123_handle_struct* decoder = nullptr;
  i32 rate = 0;        // decoded at, in Hz, stereo 16-bit
  u32 length = 0;      // in frames, exact
  u32 position = 0;    // next frame to mix
  u32 decoderAt = 0;   // next frame the decoder gives
  bool decoderEnded = false;  // the file gives no more; silence up to length
  i32 channel = -1;    // the channel it plays on, or -1
  // Played, but no frame of it has been mixed yet since playedAt.
  bool awaitingMix = false;
  std::chrono::steady_clock::time_point playedAt;

  FSOUND_STREAM() = default;
  FSOUND_STREAM(const FSOUND_STREAM&) = delete;
  FSOUND_STREAM& operator=(const FSOUND_STREAM&) = delete;
  ~FSOUND_STREAM();
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
