#include "tests/sound/recording_fmod.h"

#include <unistd.h>

#include <climits>
#include <stdexcept>

std::vector<std::string> OpenFolders;
std::vector<std::string> OpenableFiles;
std::string ThrowingFile;
std::map<int, unsigned> LoopModes;

struct FSOUND_STREAM {
  std::string file;
};

signed char FSOUND_Init(int, int, unsigned int) { return 1; }

FSOUND_STREAM* FSOUND_Stream_Open(const char* name, unsigned int, int, int) {
  char folder[PATH_MAX];
  OpenFolders.push_back(getcwd(folder, sizeof folder) ? folder : "");
  if (name == ThrowingFile) throw std::runtime_error("broken decoder");
  for (const std::string& file : OpenableFiles) {
    if (file == name) return new FSOUND_STREAM{name};
  }
  return nullptr;
}

signed char FSOUND_SetLoopMode(int channel, unsigned int mode) {
  LoopModes[channel] = mode;
  return 1;
}
signed char FSOUND_Stream_SetPosition(FSOUND_STREAM* stream, unsigned int) { return stream != nullptr; }
unsigned int FSOUND_Stream_GetPosition(FSOUND_STREAM*) { return 0; }
int FSOUND_Stream_GetLength(FSOUND_STREAM*) { return 0; }
int FSOUND_Stream_Play(int channel, FSOUND_STREAM* stream) { return stream ? channel : -1; }
signed char FSOUND_Stream_Stop(FSOUND_STREAM* stream) { return stream != nullptr; }

signed char FSOUND_Stream_Close(FSOUND_STREAM* stream) {
  if (!stream) return 0;
  delete stream;
  return 1;
}
