// The commands that only buttons run: save and load a level, mute the
// music, save and quit.
#include <cstdio>
#include <cstring>

#include "files/map_reader.h"
#include "files/profile.h"
#include "files/profile_values.h"
#include "game/flow_commands.h"
#include "game/menu_buttons.h"
#include "platform/dxut/dxut.h"
#include "sound/sound_table.h"
#include "world/scene.h"
#include "world/text_copy.h"

HWND MainWindow = nullptr;

// Remembered only, not written: Save and Quit writes the profile. A name
// that the saved level cannot hold whole is refused rather than cut, which
// would name another map.
void RememberSavedLevel() {
  if (!CurrentScene) return;
  if (std::strlen(CurrentScene->currentMapName) >= sizeof SavedLevel) {
    std::fprintf(stderr, "Save Game: the map name %s is too long to save\n", CurrentScene->currentMapName);
    return;
  }
  CopyText(SavedLevel, CurrentScene->currentMapName);
  CopyText(LevelToLoad, SavedLevel);
}

void LoadSavedLevel() {
  if (LevelToLoad[0]) LoadLevelMap(DXUTGetD3DDevice(), LevelToLoad);
}

void ToggleMusicMute() {
  MusicMuted = !MusicMuted;
  if (SoundStream* music = FindSound(CurrentMusicName)) {
    if (MusicMuted)
      music->Stop();
    else
      music->Play(true);
  }
  LabelMuteButton();
}

void SaveAndQuit() {
  SaveProfile();
  SendMessageW(MainWindow, WM_CLOSE, 0, 0);
}
