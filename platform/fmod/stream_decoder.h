// A stream's decoder: its file as stereo 16-bit frames at the stream's rate.
#pragma once
#include <cstdint>

#include "platform/fmod/mixer.h"

// Starts the decoder on the stream's file from its first frame, exactly as a
// new decoder would, so that every play of a sound is the same sound.
// False when the file cannot be decoded at all.
bool RewindDecoder(FSOUND_STREAM& stream);
// Decodes the `frames` frames from the stream's position into `out` and moves
// the position on; frames the file does not give are silent. The frames must
// lie within the stream's length.
void TakeFrames(FSOUND_STREAM& stream, std::int16_t* out, u32 frames);
