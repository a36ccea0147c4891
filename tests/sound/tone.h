// Helpers for listening to the mixer in tests: the test sounds and a
// measure of how loud one pitch is in mixed output.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// "tone440": 0.25 s of 440 Hz at 44100 Hz; "tone880_22k": 0.5 s of 880 Hz at
// 22050 Hz; "tone440_long": 30 s of 440 Hz at 44100 Hz. All at half of full
// scale.
std::string TestSound(const char* name);

// Mixes `frames` stereo frames straight from the mixer.
std::vector<std::int16_t> MixNow(unsigned frames);

// Amplitude of `frequency` in the left channel of stereo `samples` at 44100
// Hz, over `frames` frames from `first` (about 16000 for a test tone).
double ToneLevel(const std::vector<std::int16_t>& samples, std::size_t first, std::size_t frames,
                 double frequency);
