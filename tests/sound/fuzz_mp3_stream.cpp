// Opens arbitrary bytes as a sound file and plays, positions and reads the
// stream through the mixer. Whatever the bytes, a stream that opens plays to
// exactly its length.
#include <algorithm>

#include "platform/fmod/mixer.h"
#include "tests/fuzz_input.h"

namespace {

void Mix(u32 frames) {
  static std::int16_t out[MixerBufferFrames * 2];
  for (u32 done = 0; done < frames; done += MixerBufferFrames) MixFrames(out, MixerBufferFrames);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  WriteFuzzInput(data, size);
  FSOUND_STREAM* stream = FSOUND_Stream_Open(FuzzFile(), 0, 0, 0);
  if (!stream) return 0;
  const u32 length = static_cast<u32>(FSOUND_Stream_GetLength(stream));
  FSOUND_Stream_Play(0, stream);
  Mix(std::min<u32>(length, 44100));
  FSOUND_Stream_SetPosition(stream, length / 2);
  Mix(4096);
  FSOUND_Stream_SetPosition(stream, length - std::min<u32>(length, 3000));
  FSOUND_Stream_Play(1, stream);
  Mix(4096);
  if (FSOUND_Stream_GetPosition(stream) != length) std::abort();
  FSOUND_Stream_SetPosition(stream, 0);
  FSOUND_Stream_Play(0, stream);
  Mix(1024);
  FSOUND_Stream_Close(stream);
  return 0;
}
