// A stand-in for the audio layer that records where each file is opened
// from, for tests of the sound table alone.
#pragma once
#include <string>
#include <vector>

#include "platform/fmod/fmod.h"

// The current folder at every open.
extern std::vector<std::string> OpenFolders;
// Files that open; every other file gives a null stream.
extern std::vector<std::string> OpenableFiles;
// A file whose open throws.
extern std::string ThrowingFile;
