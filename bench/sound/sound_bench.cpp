// What sound costs the game: opening (decoding) every sound at start-up, and
// mixing one output buffer with all twelve sounds playing. Run from the
// source tree, where res/sounds is.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "platform/fmod/mixer.h"
#include "platform/fmod/output.h"
#include "sound/sound_table.h"

static void BM_InitSound(benchmark::State& state) {
  for (auto _ : state) {
    InitSound();
    CloseAudioOutput();
  }
  std::int64_t bytes = 0;
  for (int slot = 0; slot < 12; ++slot) {
    bytes += std::int64_t{FSOUND_Stream_GetLength(SoundTable[slot]->Stream)} * 4;
  }
  state.counters["decoded_MB"] = static_cast<double>(bytes) / (1 << 20);
  FreeSoundTable();
}
BENCHMARK(BM_InitSound)->Unit(benchmark::kMillisecond);

static void BM_MixOneBuffer(benchmark::State& state) {
  InitSound();
  CloseAudioOutput();
  for (int slot = 0; slot < 12; ++slot) SoundTable[slot]->Play(false);
  std::int16_t out[MixerBufferFrames * 2];
  for (auto _ : state) {
    MixFrames(out, MixerBufferFrames);
    benchmark::DoNotOptimize(out);
    state.PauseTiming();
    for (int slot = 0; slot < 12; ++slot) FSOUND_Stream_SetPosition(SoundTable[slot]->Stream, 0);
    state.ResumeTiming();
  }
  FreeSoundTable();
}
BENCHMARK(BM_MixOneBuffer)->Unit(benchmark::kMicrosecond);
