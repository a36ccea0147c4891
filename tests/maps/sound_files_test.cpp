// The twelve shipped sounds decode through the audio layer, the music runs
// 30 to 90 seconds a track and the effects are short.
#include <gtest/gtest.h>

#include <string>

#include "platform/fmod/fmod.h"

TEST(SoundFiles, MusicLastsHalfAMinuteToAMinuteAndAHalfEffectsAreShort) {
  const struct { const char* file; double least, most; } sounds[] = {
      {"level1.mp3", 30, 90},      {"level2.mp3", 30, 90},     {"level3.mp3", 30, 90},
      {"level4.mp3", 30, 90},      {"stomp1.mp3", 0.05, 2},    {"menu_confirm.mp3", 0.05, 2},
      {"pop2.mp3", 0.05, 2},       {"all_cleared.mp3", 0.05, 2}, {"goal_reached.mp3", 0.05, 2},
      {"door_open.mp3", 0.05, 2},  {"success.mp3", 0.05, 2},   {"error.mp3", 0.05, 2}};
  for (const auto& s : sounds) {
    FSOUND_STREAM* stream = FSOUND_Stream_Open((std::string("res/sounds/") + s.file).c_str(), 0, 0, 0);
    ASSERT_NE(stream, nullptr) << s.file;
    const double seconds = FSOUND_Stream_GetLength(stream) / 44100.0;
    FSOUND_Stream_Close(stream);
    EXPECT_GE(seconds, s.least) << s.file;
    EXPECT_LE(seconds, s.most) << s.file;
  }
}
