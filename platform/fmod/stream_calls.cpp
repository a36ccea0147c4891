#include <algorithm>

#include "platform/fmod/mixer.h"

signed char FSOUND_SetLoopMode(int channel, unsigned int) {
  // Streams never repeat by themselves here: the game restarts ended music
  // itself, and the effects it plays looping (level cleared, pop) must sound
  // once. So the mode is accepted and has no effect.
  return channel >= 0 && channel < MixerChannelCount;
}

int FSOUND_Stream_Play(int channel, FSOUND_STREAM* stream) {
  if (!stream) return -1;
  std::lock_guard lock(MixerMutex);
  if (channel < 0 || channel >= MixerChannelCount) return -1;
  AttachStream(stream, channel);
  return channel;
}

signed char FSOUND_Stream_Stop(FSOUND_STREAM* stream) {
  if (!stream) return 0;
  std::lock_guard lock(MixerMutex);
  DetachStream(stream);
  return 1;
}

signed char FSOUND_Stream_SetPosition(FSOUND_STREAM* stream, unsigned int position) {
  if (!stream) return 0;
  std::lock_guard lock(MixerMutex);
  stream->position = std::min(position, stream->length);
  // A playing stream moved elsewhere plays on from there as if just played.
  if (stream->channel >= 0) AttachStream(stream, stream->channel);
  return 1;
}

unsigned int FSOUND_Stream_GetPosition(FSOUND_STREAM* stream) {
  if (!stream) return 0;
  std::lock_guard lock(MixerMutex);
  if (!stream->awaitingMix) return stream->position;
  // Until the output asks for its first frames, a stream that plays moves on
  // by the clock (at least one frame, at most one buffer), so that it leaves
  // its start at once whatever buffer the device keeps.
  auto elapsed = std::chrono::steady_clock::now() - stream->playedAt;
  u64 frames = std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count() *
               u64(MixerRate) / 1000000;
  frames = std::clamp<u64>(frames, 1, MixerBufferFrames);
  return static_cast<u32>(std::min<u64>(stream->position + frames, stream->length));
}

int FSOUND_Stream_GetLength(FSOUND_STREAM* stream) {
  if (!stream) return 0;
  return static_cast<int>(stream->length);
}

signed char FSOUND_Stream_Close(FSOUND_STREAM* stream) {
  if (!stream) return 0;
  {
    std::lock_guard lock(MixerMutex);
    DetachStream(stream);
  }
  delete stream;
  return 1;
}
