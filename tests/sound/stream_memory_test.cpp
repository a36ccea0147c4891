// What a stream holds in memory while it plays, measured on the heap.
#include <gtest/gtest.h>
#include <malloc.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/fmod/fmod.h"
#include "platform/fmod/mixer.h"
#include "tests/sound/tone.h"

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's runtime has it; GCC ships no header that declares it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

// Bytes in use on the heap: the sanitizer's own in a sanitized build.
std::size_t HeapBytesInUse() {
#if defined(__SANITIZE_ADDRESS__)
  return __sanitizer_get_current_allocated_bytes();
#else
  const struct mallinfo2 heap = mallinfo2();
  return heap.uordblks + heap.hblkhd;
#endif
}

// Heap bytes that a stream of the track holds once it has played its first
// output buffer, and once it has played `buffers` of them.
std::pair<std::size_t, std::size_t> BytesHeld(const std::string& track, unsigned buffers) {
  std::vector<std::int16_t> out(MixerBufferFrames * 2);
  const std::size_t before = HeapBytesInUse();
  FSOUND_STREAM* stream = FSOUND_Stream_Open(track.c_str(), 0, 0, 0);
  EXPECT_NE(stream, nullptr) << track;
  FSOUND_Stream_Play(0, stream);
  MixFrames(out.data(), MixerBufferFrames);
  const std::size_t started = HeapBytesInUse() - before;
  for (unsigned i = 1; i < buffers; ++i) MixFrames(out.data(), MixerBufferFrames);
  EXPECT_EQ(FSOUND_Stream_GetPosition(stream), buffers * MixerBufferFrames) << track;
  const std::size_t played = HeapBytesInUse() - before;
  FSOUND_Stream_Close(stream);
  return {started, played};
}

// A track 120 times as long holds no more, and playing on takes nothing more
// than the start did.
TEST(StreamMemory, AStreamHoldsUnder100kBWhateverTheLengthOfItsTrack) {
  const auto [shortStarted, shortPlayed] = BytesHeld(TestSound("tone440"), 20);  // of 21.5
  const auto [longStarted, longPlayed] = BytesHeld(TestSound("tone440_long"), 2500);  // of 2583
  EXPECT_EQ(shortPlayed, shortStarted);
  EXPECT_EQ(longPlayed, longStarted);
  EXPECT_LT(shortPlayed, 100000u);
  EXPECT_LE(longPlayed, shortPlayed + 1024) << "the 30 s track against the 0.25 s one";
}

}  // namespace
