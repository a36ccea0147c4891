// The audio layer's calls, with the mixer pulled by hand: no output runs,
// so every position and sample is exact.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/fmod/fmod.h"
#include "platform/fmod/mixer.h"
#include "tests/sound/tone.h"

namespace {

constexpr int A = 440, B = 880;  // the two test tones

void ExpectSilence(unsigned frames) {
  for (std::int16_t sample : MixNow(frames)) ASSERT_EQ(sample, 0);
}

class MixerTest : public testing::Test {
 protected:
  void TearDown() override {
    for (FSOUND_STREAM* stream : opened_) FSOUND_Stream_Close(stream);
    std::filesystem::remove(scratch_);
  }
  FSOUND_STREAM* Open(const std::string& file) {
    FSOUND_STREAM* stream = FSOUND_Stream_Open(file.c_str(), 0, 0, 0);
    if (stream) opened_.push_back(stream);
    return stream;
  }
  FSOUND_STREAM* Tone(const char* name) { return Open(TestSound(name)); }
  // A file holding `bytes`, named like a sound.
  std::string Scratch(const std::string& bytes) {
    std::ofstream(scratch_, std::ios::binary) << bytes;
    return scratch_;
  }

  std::vector<FSOUND_STREAM*> opened_;
  // One file per process: CTest runs the tests of this fixture side by side.
  std::string scratch_ =
      testing::TempDir() + "mixer_test_scratch_" + std::to_string(::getpid()) + ".mp3";
};

TEST_F(MixerTest, LengthsAreExactFramesAtTheMixingRateAndBadFilesDoNotOpen) {
  FSOUND_STREAM* a = Tone("tone440");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(FSOUND_Stream_GetLength(a), 11025);               // 0.25 s
  EXPECT_EQ(FSOUND_Stream_GetLength(Tone("tone880_22k")), 22050);  // 0.5 s, made at 22050 Hz

  std::string noise(6000, '\0');
  for (std::size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>(i * 7919 % 251);
  for (const std::string& bytes : {std::string(), std::string("<HighScore>12</HighScore>\n"), noise})
    EXPECT_EQ(Open(Scratch(bytes)), nullptr);
  EXPECT_EQ(Open("no/such/file.mp3"), nullptr);
  EXPECT_EQ(FSOUND_Stream_Open(nullptr, 0, 0, 0), nullptr);
}

TEST_F(MixerTest, OnlyRegularFilesOfAGameTracksSizeOpenAndEachRefusalIsNamed) {
  std::string fifo = scratch_ + ".fifo", big = scratch_ + ".big";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::ofstream(big, std::ios::binary) << std::ifstream(TestSound("tone440"), std::ios::binary).rdbuf();
  std::filesystem::resize_file(big, (64 << 20) + 1);  // a sound, then a sparse tail
  for (const std::string& refused : {fifo, std::string("/dev/zero"), testing::TempDir(), big}) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(Open(refused), nullptr) << refused;
    EXPECT_THAT(testing::internal::GetCapturedStderr(), testing::HasSubstr(refused));
  }
  std::filesystem::remove(fifo);
  std::filesystem::remove(big);
}

TEST_F(MixerTest, CutShortBrokenOrPositionedStreamsPlayToTheirExactEnd) {
  std::ifstream whole(TestSound("tone880_22k"), std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(whole)), std::istreambuf_iterator<char>());
  std::string broken = bytes;
  for (std::size_t i = bytes.size() / 3; i < bytes.size() * 2 / 3; ++i) broken[i] = char(i * 7919 % 251);
  for (const char* kind : {"cut short", "broken midway", "from halfway"}) {
    FSOUND_STREAM* stream = kind[0] == 'c' ? Open(Scratch(bytes.substr(0, bytes.size() / 3)))
                            : kind[0] == 'b' ? Open(Scratch(broken))
                                             : Tone("tone880_22k");
    ASSERT_NE(stream, nullptr) << kind;
    if (kind[0] == 'f') FSOUND_Stream_SetPosition(stream, 11025);
    unsigned from = FSOUND_Stream_GetPosition(stream), length = FSOUND_Stream_GetLength(stream);
    EXPECT_LT(length - from, kind[0] == 'b' ? 22051u : 11026u) << kind;
    FSOUND_Stream_Play(0, stream);
    std::vector<std::int16_t> out = MixNow(length - from + 4096);
    EXPECT_GT(ToneLevel(out, 0, 4096, B), 12000) << kind;
    EXPECT_EQ(FSOUND_Stream_GetPosition(stream), length) << kind;
    for (std::size_t i = (length - from) * 2; i < out.size(); ++i) ASSERT_EQ(out[i], 0) << kind << i;
  }
}

TEST_F(MixerTest, NullStreamsAndChannelsOutOfRangeDoNothing) {
  EXPECT_EQ(FSOUND_Stream_Play(0, nullptr), -1);
  EXPECT_EQ(FSOUND_Stream_Stop(nullptr), 0);
  EXPECT_EQ(FSOUND_Stream_SetPosition(nullptr, 0), 0);
  EXPECT_EQ(FSOUND_Stream_GetPosition(nullptr), 0u);
  EXPECT_EQ(FSOUND_Stream_GetLength(nullptr), 0);
  EXPECT_EQ(FSOUND_Stream_Close(nullptr), 0);
  FSOUND_STREAM* a = Tone("tone440");
  EXPECT_EQ(FSOUND_Stream_Play(-1, a), -1);
  EXPECT_EQ(FSOUND_Stream_Play(MixerMaxChannels, a), -1);
  EXPECT_EQ(FSOUND_SetLoopMode(MixerMaxChannels, FSOUND_LOOP_NORMAL), 0);
  ExpectSilence(256);
  EXPECT_EQ(FSOUND_Stream_Play(MixerMaxChannels - 1, a), MixerMaxChannels - 1);
  EXPECT_GT(ToneLevel(MixNow(2048), 0, 2048, A), 4000);
}

TEST_F(MixerTest, TheRightToneSoundsAtTheRightTimeAndNothingAfterTheEnd) {
  FSOUND_STREAM* a = Tone("tone440");
  FSOUND_STREAM* b = Tone("tone880_22k");
  // A looping channel still does not repeat a stream by itself.
  EXPECT_EQ(FSOUND_SetLoopMode(0, FSOUND_LOOP_NORMAL), 1);
  FSOUND_Stream_Play(0, a);
  // Before the output has taken a frame: the game reads this on its next frame.
  EXPECT_GT(FSOUND_Stream_GetPosition(a), 0u);
  EXPECT_LE(FSOUND_Stream_GetPosition(a), MixerBufferFrames);
  std::vector<std::int16_t> out = MixNow(4096);
  EXPECT_EQ(FSOUND_Stream_GetPosition(a), 4096u);
  EXPECT_GT(ToneLevel(out, 0, 4096, A), 12000);
  EXPECT_LT(ToneLevel(out, 0, 4096, B), 500);

  FSOUND_Stream_Play(1, b);  // joins a on its own channel
  out = MixNow(4096);
  EXPECT_GT(ToneLevel(out, 0, 4096, A), 12000);
  EXPECT_GT(ToneLevel(out, 0, 4096, B), 12000);

  // a ends after 11025 frames, b plays on alone until 22050.
  out = MixNow(22050);
  EXPECT_EQ(FSOUND_Stream_GetPosition(a), 11025u);
  std::size_t aEnds = 11025 - 8192;
  EXPECT_GT(ToneLevel(out, 0, aEnds, A), 12000);
  EXPECT_LT(ToneLevel(out, aEnds, 4096, A), 500);
  EXPECT_GT(ToneLevel(out, aEnds, 4096, B), 12000);
  std::size_t bEnds = 22050 - 4096;
  for (std::size_t i = bEnds * 2; i < out.size(); ++i) ASSERT_EQ(out[i], 0) << "sample " << i;
}

TEST_F(MixerTest, StopSilencesAndKeepsThePositionUntilRewound) {
  FSOUND_STREAM* a = Tone("tone440");
  FSOUND_Stream_Play(4, a);
  MixNow(3000);
  EXPECT_EQ(FSOUND_Stream_Stop(a), 1);
  ExpectSilence(2048);
  EXPECT_EQ(FSOUND_Stream_GetPosition(a), 3000u);
  EXPECT_EQ(FSOUND_Stream_SetPosition(a, 0), 1);
  EXPECT_EQ(FSOUND_Stream_GetPosition(a), 0u);
  FSOUND_Stream_SetPosition(a, 999999);
  EXPECT_EQ(FSOUND_Stream_GetPosition(a), 11025u);

  // Closed while it plays, it leaves its channel.
  FSOUND_STREAM* b = FSOUND_Stream_Open(TestSound("tone880_22k").c_str(), 0, 0, 0);
  FSOUND_Stream_Play(6, b);
  MixNow(1000);
  EXPECT_EQ(FSOUND_Stream_Close(b), 1);
  ExpectSilence(2048);
}

TEST_F(MixerTest, ARestartBeginsAgainWithNoSecondCopyAndAnotherStreamCutsIt) {
  // Sample for sample, also through the resampler.
  for (const char* tone : {"tone880_22k", "tone440"}) {
    FSOUND_STREAM* played = Tone(tone);
    FSOUND_Stream_Play(3, played);
    std::vector<std::int16_t> first = MixNow(4000);
    MixNow(2500);
    FSOUND_Stream_SetPosition(played, 0);
    FSOUND_Stream_Play(3, played);
    EXPECT_EQ(MixNow(4000), first) << tone;
    FSOUND_Stream_Stop(played);
  }
  FSOUND_STREAM* a = opened_.back();
  FSOUND_Stream_SetPosition(a, 0);
  FSOUND_Stream_Play(3, a);
  std::vector<std::int16_t> first = MixNow(4000);

  // Played on another channel, it moves there: still one copy.
  FSOUND_Stream_SetPosition(a, 0);
  FSOUND_Stream_Play(7, a);
  EXPECT_EQ(MixNow(4000), first);

  // Another stream played on its channel cuts it where it was.
  FSOUND_Stream_Play(7, Tone("tone880_22k"));
  std::vector<std::int16_t> out = MixNow(4096);
  EXPECT_LT(ToneLevel(out, 0, 4096, A), 500);
  EXPECT_GT(ToneLevel(out, 0, 4096, B), 12000);
  EXPECT_EQ(FSOUND_Stream_GetPosition(a), 4000u);
}

TEST_F(MixerTest, LoudSumsClipInsteadOfWrappingAround) {
  std::vector<std::int16_t> alone;
  for (int channel = 0; channel < 8; ++channel) {
    FSOUND_STREAM* a = Tone("tone440");
    FSOUND_Stream_Play(channel, a);
    if (channel == 0) {
      alone = MixNow(2048);
      FSOUND_Stream_SetPosition(a, 0);
    }
  }
  std::vector<std::int16_t> loud = MixNow(2048);
  int clipped = 0;
  for (std::size_t i = 0; i < loud.size(); ++i) {
    ASSERT_GE(loud[i] * alone[i], 0) << "sample " << i << " wrapped around";
    clipped += loud[i] == 32767 || loud[i] == -32768;
  }
  EXPECT_GT(clipped, 1000);
}

}  // namespace
