// The audio library's nine calls, version 3 interface. Streams are mp3 files,
// decoded as they play; each plays on a numbered channel of our own mixer.
// Position and length are in PCM frames at the mixing rate.
// Every stream call takes a null handle and then does nothing (reads give 0).
#pragma once

struct FSOUND_STREAM;

#define FSOUND_LOOP_OFF 1
#define FSOUND_LOOP_NORMAL 2

// Opens the output at `mixrate` Hz with `maxchannels` channels. Without a
// sound device, mixing goes on in silence at real-time speed. Returns 1.
signed char FSOUND_Init(int mixrate, int maxchannels, unsigned int flags);
// Opens an mp3 file as a stream; null when it cannot be opened or decoded.
// Only regular files of at most 64 MB and an hour are taken; a file that is
// there but refused is named on standard error.
FSOUND_STREAM* FSOUND_Stream_Open(const char* name, unsigned int mode, int offset, int length);
// Sets the loop mode of a channel for the next plays on it.
signed char FSOUND_SetLoopMode(int channel, unsigned int loopmode);
signed char FSOUND_Stream_SetPosition(FSOUND_STREAM* stream, unsigned int position);
unsigned int FSOUND_Stream_GetPosition(FSOUND_STREAM* stream);
int FSOUND_Stream_GetLength(FSOUND_STREAM* stream);
// Plays the stream from its position on `channel`, cutting what played there.
// Returns the channel, or -1.
int FSOUND_Stream_Play(int channel, FSOUND_STREAM* stream);
signed char FSOUND_Stream_Stop(FSOUND_STREAM* stream);
// Frees the stream, also while it plays.
signed char FSOUND_Stream_Close(FSOUND_STREAM* stream);
