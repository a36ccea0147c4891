// The twelve shipped sounds decode through the audio layer, the music runs
// 30 to 90 seconds a track and the effects are short.
#include <gtest/gtest.h>

#include <string>

#include "platform/fmod/fmod.h"

namespace {

constexpr double MixRate = 44100.0;

double Seconds(const std::string& file) {
  FSOUND_STREAM* stream = FSOUND_Stream_Open(("res/sounds/" + file).c_str(), 0, 0, 0);
  if (!stream) return -1.0;
  const double seconds = FSOUND_Stream_GetLength(stream) / MixRate;
  FSOUND_Stream_Close(stream);
  return seconds;
}

TEST(SoundFiles, MusicTracksLastHalfAMinuteToAMinuteAndAHalf) {
  for (const char* track : {"level1.mp3", "level2.mp3", "level3.mp3", "level4.mp3"}) {
    const double seconds = Seconds(track);
    EXPECT_GE(seconds, 30.0) << track;
    EXPECT_LE(seconds, 90.0) << track;
  }
}

TEST(SoundFiles, EffectsAreShort) {
  for (const char* effect : {"stomp1.mp3", "menu_confirm.mp3", "pop2.mp3", "all_cleared.mp3", "goal_reached.mp3",
                             "door_open.mp3", "success.mp3", "error.mp3"}) {
    const double seconds = Seconds(effect);
    EXPECT_GT(seconds, 0.05) << effect;
    EXPECT_LT(seconds, 2.0) << effect;
  }
}

}  // namespace
