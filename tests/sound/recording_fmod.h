// A stand-in for the audio layer that records every call the sound table
// makes, for tests of the table alone.
#pragma once
#include <string>
#include <vector>

#include "platform/fmod/fmod.h"

struct AudioCall {
  std::string what;  // "Init", "Open", "SetLoopMode", "SetPosition", "Play", "Stop", "Close"
  const FSOUND_STREAM* stream;
  std::string folder;  // the current folder, for "Open"
};

extern std::vector<AudioCall> AudioCalls;
// Files that open; every other file gives a null stream.
extern std::vector<std::string> OpenableFiles;
// A file whose open throws.
extern std::string ThrowingFile;
