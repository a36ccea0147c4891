#include "tests/sound/tone.h"

#include <cmath>
#include <numbers>

#include "platform/fmod/mixer.h"

std::string TestSound(const char* name) {
  return std::string(TUMBLOX_TEST_SOUNDS) + "/" + name + ".mp3";
}

std::vector<std::int16_t> MixNow(unsigned frames) {
  std::vector<std::int16_t> samples(std::size_t{frames} * 2);
  MixFrames(samples.data(), frames);
  return samples;
}

double ToneLevel(const std::vector<std::int16_t>& samples, std::size_t first, std::size_t frames,
                 double frequency) {
  // Goertzel's single-bin transform.
  const double coefficient = 2 * std::cos(2 * std::numbers::pi * frequency / 44100);
  double previous = 0, beforePrevious = 0;
  for (std::size_t i = first; i < first + frames; ++i) {
    double current = samples[i * 2] + coefficient * previous - beforePrevious;
    beforePrevious = previous;
    previous = current;
  }
  double power = previous * previous + beforePrevious * beforePrevious -
                 coefficient * previous * beforePrevious;
  return 2 * std::sqrt(std::max(power, 0.0)) / static_cast<double>(frames);
}
