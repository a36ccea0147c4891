// What sound costs the game: opening every sound at start-up, mixing one
// output buffer with all twelve sounds playing, and the memory a long track
// takes while it plays. Run from the source tree, where res/sounds is.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

#include "platform/fmod/mixer.h"
#include "platform/fmod/output.h"
#include "sound/sound_table.h"

namespace {

double ResidentMegabytes() {
  long pages = 0, resident = 0;
  std::ifstream("/proc/self/statm") >> pages >> resident;
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1 << 20);
}

// The first music track over and over, as one long file.
std::string LongTrack(int copies) {
  std::string path = "/tmp/tumblox_sound_bench_" + std::to_string(getpid()) + ".mp3";
  std::ifstream in("res/sounds/level1.mp3", std::ios::binary);
  std::string track((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::ofstream out(path, std::ios::binary);
  for (int i = 0; i < copies; ++i) out << track;
  return path;
}

}  // namespace

// Plays a long track to its end as fast as the mixer goes: the process's
// resident memory once it is open and at most while it plays (the same for
// any length), what decoding it whole would take, and the mixing cost of
// each buffer with one stream.
static void BM_PlayLongTrack(benchmark::State& state) {
  const std::string path = LongTrack(static_cast<int>(state.range(0)));
  std::int16_t out[MixerBufferFrames * 2];
  double opened = 0, peak = 0, minutes = 0, seconds = 0;
  std::int64_t buffers = 0;
  for (auto _ : state) {
    FSOUND_STREAM* stream = FSOUND_Stream_Open(path.c_str(), 0, 0, 0);
    if (!stream) {
      state.SkipWithError("the long track did not open");
      break;
    }
    opened = ResidentMegabytes();
    minutes = FSOUND_Stream_GetLength(stream) / 44100.0 / 60;
    FSOUND_Stream_Play(0, stream);
    auto start = std::chrono::steady_clock::now();
    while (FSOUND_Stream_GetPosition(stream) < unsigned(FSOUND_Stream_GetLength(stream))) {
      MixFrames(out, MixerBufferFrames);
      if (++buffers % 4096 == 0) peak = std::max(peak, ResidentMegabytes());
    }
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    FSOUND_Stream_Close(stream);
  }
  std::remove(path.c_str());
  state.counters["track_min"] = minutes;
  state.counters["resident_open_MB"] = opened;
  state.counters["resident_playing_MB"] = peak;
  state.counters["whole_decode_MB"] = minutes * 60 * 44100 * 4 / (1 << 20);
  state.counters["us_per_buffer"] = seconds * 1e6 / static_cast<double>(std::max<std::int64_t>(buffers, 1));
}
BENCHMARK(BM_PlayLongTrack)->Arg(10)->Arg(60)->Iterations(1)->Unit(benchmark::kSecond);

static void BM_InitSound(benchmark::State& state) {
  for (auto _ : state) {
    InitSound();
    CloseAudioOutput();
  }
  FreeSoundTable();
}
BENCHMARK(BM_InitSound)->Unit(benchmark::kMillisecond);

// Every sound plays at once, each started again when it ends.
static void BM_MixOneBuffer(benchmark::State& state) {
  InitSound();
  CloseAudioOutput();
  std::int16_t out[MixerBufferFrames * 2];
  for (auto _ : state) {
    for (int slot = 0; slot < 12; ++slot) {
      FSOUND_STREAM* stream = SoundTable[slot]->Stream;
      if (stream->channel < 0) SoundTable[slot]->Play(false);
    }
    MixFrames(out, MixerBufferFrames);
    benchmark::DoNotOptimize(out);
  }
  FreeSoundTable();
}
BENCHMARK(BM_MixOneBuffer)->Unit(benchmark::kMicrosecond);
