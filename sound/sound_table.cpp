#include "sound/sound_table.h"

#include <cstring>
#include <iterator>
#include <new>
#include <string>

#include "files/missing_data.h"
#include "platform/win32/win32.h"
#include "world/text_copy.h"

SoundStream** SoundTable = nullptr;
char CurrentMusicName[256];

namespace {

struct SoundFile {
  const char* name;
  const char* file;
};

// Slot order is channel order: each sound always plays on its own channel.
constexpr SoundFile SoundFiles[] = {
    {"mainMusic", "level1.mp3"},   {"mainMusic2", "level2.mp3"},
    {"mainMusic3", "level3.mp3"},  {"mainMusic4", "level4.mp3"},
    {"spikeRolling", "stomp1.mp3"}, {"iconClick", "menu_confirm.mp3"},
    {"objHit", "pop2.mp3"},        {"allCleared", "all_cleared.mp3"},
    {"enterGoal", "goal_reached.mp3"}, {"doorOpen", "door_open.mp3"},
    {"success", "success.mp3"},    {"error", "error.mp3"},
};

// The folder we are in, empty when it cannot be named.
std::u16string CurrentFolder() {
  DWORD size = GetCurrentDirectoryW(0, nullptr);
  std::u16string folder(size, u'\0');
  if (size == 0 || GetCurrentDirectoryW(size, folder.data()) + 1 != size) return {};
  folder.resize(size - 1);
  return folder;
}

}  // namespace

SoundStream::SoundStream(const char* name, const char* file, i32 channel) {
  CopyText(Name, name);
  Stream = nullptr;
  Disabled = 0;
  Channel = channel;
  try {
    Stream = FSOUND_Stream_Open(file, 0, 0, 0);
  } catch (...) {
    // A sound that cannot be opened must not keep the game from starting.
    // (A processor fault in the decoder is no exception and is not caught.)
    Name[0] = '\0';
    Stream = nullptr;
  }
  Playing = 0;
}

void SoundStream::Play(bool loop) {
  if (Disabled) return;
  if (loop) FSOUND_SetLoopMode(Channel, FSOUND_LOOP_NORMAL);
  Looping = loop;
  FSOUND_Stream_SetPosition(Stream, 0);
  FSOUND_Stream_Play(Channel, Stream);
  Playing = 1;
}

void SoundStream::Stop() {
  FSOUND_Stream_Stop(Stream);
  FSOUND_Stream_SetPosition(Stream, 0);
  Playing = 0;
}

void InitSound() {
  FSOUND_Init(44100, 32, 0);
  FreeSoundTable();
  SoundTable = new SoundStream*[SoundTableSize]{};
  // Back to exactly where we were: "../.." from a linked sound folder would
  // land elsewhere. A folder we cannot name or enter is not entered; the
  // files are then looked for where we are, and are silent.
  std::u16string gameFolder = CurrentFolder();
  bool entered = !gameFolder.empty() && SetCurrentDirectoryW(u"res/sounds");
  CopyText(CurrentMusicName, "mainMusic");
  for (i32 slot = 0; slot < i32(std::size(SoundFiles)); ++slot)
    SoundTable[slot] = new (std::nothrow) SoundStream(SoundFiles[slot].name, SoundFiles[slot].file, slot);
  if (entered) SetCurrentDirectoryW(gameFolder.c_str());
  for (i32 slot = 0; slot < i32(std::size(SoundFiles)); ++slot)
    if (!SoundTable[slot] || !SoundTable[slot]->Stream)
      ReportMissingData("sound", (std::string("res/sounds/") + SoundFiles[slot].file).c_str());
}

void FreeSoundTable() {
  if (SoundTable) {
    for (i32 i = 0; i < SoundTableSize; ++i) {
      if (!SoundTable[i]) continue;
      FSOUND_Stream_Close(SoundTable[i]->Stream);
      delete SoundTable[i];
    }
  }
  delete[] SoundTable;
  SoundTable = nullptr;
}

i32 FindSoundIndex(const char* name) {
  if (!SoundTable) return -1;
  for (i32 i = 0; i < SoundTableSize; ++i) {
    if (SoundTable[i] && std::strcmp(SoundTable[i]->Name, name) == 0) return i;
  }
  return -1;
}

SoundStream* FindSound(const char* name) {
  i32 slot = FindSoundIndex(name);
  return slot < 0 ? nullptr : SoundTable[slot];
}

i32 PlaySoundByName(const char* name, bool loop, bool stop) {
  i32 slot = FindSoundIndex(name);
  if (slot < 0) return 0;
  SoundStream* sound = SoundTable[slot];
  if (!sound) return slot;
  if (stop) {
    sound->Stop();
  } else {
    sound->Play(loop);
  }
  return slot;
}
