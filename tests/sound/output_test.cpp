// The audio layer with its output running: SDL's dummy and disk drivers,
// and no driver at all.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/fmod/fmod.h"
#include "platform/fmod/output.h"
#include "tests/sound/tone.h"

namespace {

using namespace std::chrono_literals;

// Waits up to 3 s for the stream to have played to its end.
bool PlaysToItsEnd(FSOUND_STREAM* stream) {
  auto deadline = std::chrono::steady_clock::now() + 3s;
  while (std::chrono::steady_clock::now() < deadline) {
    if (FSOUND_Stream_GetPosition(stream) == unsigned(FSOUND_Stream_GetLength(stream))) return true;
    std::this_thread::sleep_for(5ms);
  }
  return false;
}

TEST(Output, StreamsPlayInRealTimeWithOrWithoutADevice) {
  for (const char* driver : {"dummy", "no_such_driver"}) {
    setenv("SDL_AUDIODRIVER", driver, 1);
    EXPECT_EQ(FSOUND_Init(44100, 32, 0), 1) << driver;
    EXPECT_EQ(OpenAudioOutput(44100), driver == std::string("dummy")) << driver;
    FSOUND_STREAM* b = FSOUND_Stream_Open(TestSound("tone880_22k").c_str(), 0, 0, 0);
    FSOUND_Stream_Play(0, b);
    auto played = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(100ms);
    EXPECT_GT(FSOUND_Stream_GetPosition(b), 44100u / 20) << driver;  // more than 50 ms in
    EXPECT_TRUE(PlaysToItsEnd(b)) << driver;
    // Far from instant: the output takes frames at the pace of the clock.
    EXPECT_GT(std::chrono::steady_clock::now() - played, 300ms) << driver;
    FSOUND_Stream_Close(b);
    CloseAudioOutput();
  }
  setenv("SDL_AUDIODRIVER", "dummy", 1);
}

TEST(Output, ClosingStreamsWhileTheOutputMixesThemIsSafe) {
  FSOUND_Init(44100, 32, 0);
  for (int round = 0; round < 40; ++round) {
    FSOUND_STREAM* a = FSOUND_Stream_Open(TestSound("tone440").c_str(), 0, 0, 0);
    FSOUND_Stream_Play(round % 32, a);
    std::this_thread::sleep_for(std::chrono::milliseconds(round % 4));
    FSOUND_Stream_Close(a);
  }
  CloseAudioOutput();
}

TEST(Output, TheDiskDriverRecordsThePlayedTone) {
  // One file per process: other checkouts run this test at the same time.
  std::string recording =
      testing::TempDir() + "output_test_recording_" + std::to_string(::getpid()) + ".raw";
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", recording.c_str(), 1);
  ASSERT_TRUE(OpenAudioOutput(44100));
  FSOUND_STREAM* a = FSOUND_Stream_Open(TestSound("tone440").c_str(), 0, 0, 0);
  FSOUND_Stream_Play(0, a);
  ASSERT_TRUE(PlaysToItsEnd(a));
  // Room for a good many buffers of silence after it, also on a busy machine.
  std::this_thread::sleep_for(250ms);
  CloseAudioOutput();
  FSOUND_Stream_Close(a);
  setenv("SDL_AUDIODRIVER", "dummy", 1);

  std::ifstream file(recording, std::ios::binary);
  std::vector<std::int16_t> samples;
  std::int16_t sample;
  while (file.read(reinterpret_cast<char*>(&sample), sizeof sample)) samples.push_back(sample);
  std::filesystem::remove(recording);
  // The 0.25 s tone, and silence around it: find its loudest stretch.
  std::size_t frames = samples.size() / 2;
  ASSERT_GT(frames, 11025u);
  double loudest = 0;
  std::size_t at = 0;
  for (std::size_t first = 0; first + 2048 <= frames; first += 512) {
    if (double level = ToneLevel(samples, first, 2048, 440); level > loudest) {
      loudest = level;
      at = first;
    }
  }
  EXPECT_GT(loudest, 12000);
  EXPECT_LT(ToneLevel(samples, at, 2048, 880), 500);
  EXPECT_LT(ToneLevel(samples, frames - 2048, 2048, 440), 500);  // over afterwards
}

}  // namespace
