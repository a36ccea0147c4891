#include <fcntl.h>
#include <mpg123.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/fmod/mixer.h"
#include "platform/fmod/stream_decoder.h"

namespace {

// A game track at the highest mp3 rate runs about 28 minutes in this much.
constexpr off_t MaxSoundFileBytes = off_t{64} << 20;
constexpr i32 MaxSoundSeconds = 60 * 60;

std::nullptr_t Refuse(const char* name, const char* why) {
  std::fprintf(stderr, "Sound \"%s\" not opened: %s\n", name, why);
  return nullptr;
}

// True when the decoder gives at least one frame from the start.
bool DecodesSomething(FSOUND_STREAM& stream) {
  std::int16_t frame[2];
  TakeFrames(stream, frame, 1);
  bool decoded = !stream.decoderEnded;
  stream.position = 0;
  return decoded;
}

}  // namespace

// The mode, offset and length arguments are not used: a stream is always the
// whole file. Only its length is found here; it is decoded as it plays.
FSOUND_STREAM* FSOUND_Stream_Open(const char* name, unsigned int, int, int) {
  if (!name) return nullptr;
  auto stream = std::make_unique<FSOUND_STREAM>();
  // Not blocking, so that a FIFO is refused instead of waited on.
  stream->file = open(name, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (stream->file < 0) return errno == ENOENT ? nullptr : Refuse(name, std::strerror(errno));
  struct stat info;
  if (fstat(stream->file, &info) != 0 || !S_ISREG(info.st_mode)) return Refuse(name, "not a regular file");
  if (info.st_size > MaxSoundFileBytes) return Refuse(name, "larger than 64 MB");
  {
    std::lock_guard lock(MixerMutex);
    stream->rate = MixerRate;
  }
  if (!RewindDecoder(*stream)) return Refuse(name, "no decoder");
  // The scan reads every frame header once, for the exact length.
  off_t length = mpg123_scan(stream->decoder) == MPG123_OK ? mpg123_length(stream->decoder) : 0;
  if (length <= 0) return Refuse(name, "no mp3 sound in it");
  if (length > off_t{MaxSoundSeconds} * stream->rate) return Refuse(name, "longer than an hour");
  stream->length = static_cast<u32>(length);
  if (!RewindDecoder(*stream) || !DecodesSomething(*stream)) return Refuse(name, "not an mp3 we can play");
  if (!RewindDecoder(*stream)) return Refuse(name, "no decoder");
  return stream.release();
}
