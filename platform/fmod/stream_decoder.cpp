#include "platform/fmod/stream_decoder.h"

#include <mpg123.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace {

constexpr std::size_t FrameBytes = 2 * sizeof(std::int16_t);
// Reads in a row that give nothing before a decoder counts as stuck.
constexpr int MaxIdleReads = 8;

// Puts the decoder at the stream's position: a fresh start for the
// beginning, a seek anywhere else.
void MoveDecoder(FSOUND_STREAM& stream) {
  if (stream.position == 0) {
    RewindDecoder(stream);
    return;
  }
  off_t reached = mpg123_seek(stream.decoder, static_cast<off_t>(stream.position), SEEK_SET);
  stream.decoderEnded = reached < 0;
  stream.decoderAt = stream.position;
}

}  // namespace

FSOUND_STREAM::~FSOUND_STREAM() {
  if (decoder) mpg123_delete(decoder);
  if (file >= 0) close(file);
}

bool RewindDecoder(FSOUND_STREAM& stream) {
  if (stream.decoder) {
    mpg123_close(stream.decoder);
  } else {
    stream.decoder = mpg123_new(nullptr, nullptr);
    if (!stream.decoder) return false;
    // Gapless: trimmed to the exact length the encoder recorded. ID3v2 tags
    // are skipped unread, whatever size they claim.
    mpg123_param(stream.decoder, MPG123_ADD_FLAGS, MPG123_GAPLESS | MPG123_QUIET | MPG123_SKIP_ID3V2,
                 0.0);
  }
  stream.decoderAt = 0;
  stream.decoderEnded = true;
  // Setting the format again resets the resampler along with the rest.
  mpg123_format_none(stream.decoder);
  if (mpg123_format(stream.decoder, stream.rate, MPG123_STEREO, MPG123_ENC_SIGNED_16) != MPG123_OK ||
      lseek(stream.file, 0, SEEK_SET) != 0 || mpg123_open_fd(stream.decoder, stream.file) != MPG123_OK)
    return false;
  stream.decoderEnded = false;
  return true;
}

void TakeFrames(FSOUND_STREAM& stream, std::int16_t* out, u32 frames) {
  if (stream.decoderAt != stream.position) MoveDecoder(stream);
  auto* bytes = reinterpret_cast<unsigned char*>(out);
  const std::size_t wanted = std::size_t{frames} * FrameBytes;
  std::size_t got = 0;
  for (int idle = 0; !stream.decoderEnded && got < wanted;) {
    std::size_t done = 0;
    int result = mpg123_read(stream.decoder, bytes + got, wanted - got, &done);
    got += done;
    idle = done > 0 ? 0 : idle + 1;
    // A decoding error ends the sound where it happened, as the file's end does.
    if ((result != MPG123_OK && result != MPG123_NEW_FORMAT) || idle > MaxIdleReads)
      stream.decoderEnded = true;
  }
  std::fill(bytes + got, bytes + wanted, 0);
  stream.position += frames;
  stream.decoderAt = stream.position;
}
