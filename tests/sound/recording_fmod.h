// A stand-in for the audio layer that records where each file is opened
// from and each channel's loop mode, for tests of the sound table alone.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "platform/fmod/fmod.h"

// The current folder at every open.
extern std::vector<std::string> OpenFolders;
// Files that open; every other file gives a null stream.
extern std::vector<std::string> OpenableFiles;
// A file whose open throws.
extern std::string ThrowingFile;
// Each channel's loop mode, as last set.
extern std::map<int, unsigned> LoopModes;
