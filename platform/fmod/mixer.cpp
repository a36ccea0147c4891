#include "platform/fmod/mixer.h"

#include <algorithm>
#include <limits>

#include "platform/fmod/stream_decoder.h"

std::mutex MixerMutex;
i32 MixerRate = 44100;
i32 MixerChannelCount = MixerMaxChannels;

namespace {

FSOUND_STREAM* ChannelStreams[MixerMaxChannels];

std::int16_t Clip(i32 sample) {
  return static_cast<std::int16_t>(std::clamp<i32>(sample, std::numeric_limits<std::int16_t>::min(),
                                                   std::numeric_limits<std::int16_t>::max()));
}

// Adds what every channel plays next into `sum` and moves the streams on.
void MixChunk(i32* sum, u32 frames) {
  std::int16_t decoded[MixerBufferFrames * 2];
  std::fill(sum, sum + frames * 2, 0);
  for (FSOUND_STREAM*& stream : ChannelStreams) {
    if (!stream) continue;
    u32 count = std::min(frames, stream->length - stream->position);
    TakeFrames(*stream, decoded, count);
    for (u32 i = 0; i < count * 2; ++i) sum[i] += decoded[i];
    stream->awaitingMix = false;
    if (stream->position == stream->length) {
      stream->channel = -1;
      stream = nullptr;
    }
  }
}

}  // namespace

void DetachStream(FSOUND_STREAM* stream) {
  if (stream->channel >= 0) ChannelStreams[stream->channel] = nullptr;
  stream->channel = -1;
  stream->awaitingMix = false;
}

void AttachStream(FSOUND_STREAM* stream, i32 channel) {
  DetachStream(stream);
  if (FSOUND_STREAM* cut = ChannelStreams[channel]) DetachStream(cut);
  ChannelStreams[channel] = stream;
  stream->channel = channel;
  stream->awaitingMix = true;
  stream->playedAt = std::chrono::steady_clock::now();
}

void MixFrames(std::int16_t* out, u32 frames) {
  i32 sum[MixerBufferFrames * 2];
  std::lock_guard lock(MixerMutex);
  while (frames > 0) {
    u32 chunk = std::min(frames, MixerBufferFrames);
    MixChunk(sum, chunk);
    for (u32 i = 0; i < chunk * 2; ++i) out[i] = Clip(sum[i]);
    out += chunk * 2;
    frames -= chunk;
  }
}
