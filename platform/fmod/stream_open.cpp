#include <mpg123.h>

#include <memory>

#include "platform/fmod/mixer.h"

namespace {

struct DecoderDeleter {
  void operator()(mpg123_handle* decoder) const { mpg123_delete(decoder); }
};
using Decoder = std::unique_ptr<mpg123_handle, DecoderDeleter>;

// A decoder that gives stereo 16-bit frames at `rate`, trimmed to the exact
// length the encoder recorded, whatever rate and channels the file has.
Decoder MakeDecoder(i32 rate) {
  Decoder decoder(mpg123_new(nullptr, nullptr));
  if (!decoder) return nullptr;
  mpg123_param(decoder.get(), MPG123_ADD_FLAGS, MPG123_GAPLESS | MPG123_QUIET, 0.0);
  mpg123_format_none(decoder.get());
  if (mpg123_format(decoder.get(), rate, MPG123_STEREO, MPG123_ENC_SIGNED_16) != MPG123_OK) {
    return nullptr;
  }
  return decoder;
}

}  // namespace

// The mode, offset and length arguments are not used: a stream is always the
// whole file, decoded at once (our sounds are short).
FSOUND_STREAM* FSOUND_Stream_Open(const char* name, unsigned int, int, int) {
  if (!name) return nullptr;
  i32 rate;
  {
    std::lock_guard lock(MixerMutex);
    rate = MixerRate;
  }
  Decoder decoder = MakeDecoder(rate);
  if (!decoder || mpg123_open(decoder.get(), name) != MPG123_OK) return nullptr;

  auto stream = std::make_unique<FSOUND_STREAM>();
  std::size_t bytes = 0;
  int result;
  do {
    std::size_t capacity = stream->samples.size() * sizeof(std::int16_t);
    if (capacity - bytes < 16384) {
      stream->samples.resize(stream->samples.size() + 16384);
      capacity = stream->samples.size() * sizeof(std::int16_t);
    }
    std::size_t done = 0;
    result = mpg123_read(decoder.get(), reinterpret_cast<unsigned char*>(stream->samples.data()) + bytes,
                         capacity - bytes, &done);
    bytes += done;
  } while (result == MPG123_OK || result == MPG123_NEW_FORMAT);
  mpg123_close(decoder.get());

  // Anything that is not a clean end, or no sound at all, is not an mp3 we play.
  const std::size_t frameBytes = 2 * sizeof(std::int16_t);
  if (result != MPG123_DONE || bytes < frameBytes) return nullptr;
  stream->length = static_cast<u32>(bytes / frameBytes);
  stream->samples.resize(std::size_t{stream->length} * 2);
  stream->samples.shrink_to_fit();
  return stream.release();
}
