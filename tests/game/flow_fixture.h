// Shared set-up of the game-flow tests: the buttons as start-up leaves
// them, the game's sounds all stopped, a recording device as the
// framework's, a stopped clock and the flow values at their start.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "files/map_reader.h"
#include "files/profile_values.h"
#include "game/flow_commands.h"
#include "game/frame_driver.h"
#include "game/game_values.h"
#include "game/menu_buttons.h"
#include "game/tutorial.h"
#include "platform/d3d9/recording_device.h"
#include "platform/dxut/dxut_state.h"
#include "platform/dxut/timer.h"
#include "sound/sound_table.h"
#include "tests/dialog/game_buttons.h"
#include "world/level_clock.h"
#include "world/scene.h"
#include "world/text_copy.h"
#include "world/tilt.h"

class FlowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static const bool once = (AddMenuButtons(), InitSound(), true);
    for (const GameButton& b : kGameButtons) {
      Button(b.id)->SetEnabled(b.enabled);
      Button(b.id)->SetVisible(b.visible);
    }
    FreeSavedButtonStates();
    for (i32 i = 0; once && i < SoundTableSize; ++i)
      if (SoundTable[i]) SoundTable[i]->Stop();
    CopyText(CurrentMusicName, "mainMusic");
    ExitPromptShown = MusicMuted = DataInconsistent = TimeUp = GameStarted = 0;
    LevelCounter = Score = HighScore = 0;
    SavedLevel[0] = LevelToLoad[0] = '\0';
    std::fill(std::begin(TiltKeys), std::end(TiltKeys), 0);
    CurrentTutorial = {};
    MapScoreList = new struct MapScoreList;
    DXUT().device = device = new RecordingDevice;
    SetClockMs(100000.0);
  }
  void TearDown() override {
    delete CurrentScene;
    CurrentScene = nullptr;
    delete CurrentLevelClock;
    CurrentLevelClock = nullptr;
    delete MapScoreList;
    DXUT().device = nullptr;
    device->Release();
  }

  void SetClockMs(double ms) {
    DXUTGetGlobalTimer()->Stop();
    DXUTGetGlobalTimer()->SetTime(ms / 1000.0);
  }
  void FrameAt(double ms) {
    SetClockMs(ms);
    AdvanceGame(device);
  }
  static bool Playing(const char* sound) { return FindSound(sound)->Playing; }
  static CDXUTControl* Button(int id) { return MenuDialog.GetControl(id, DXUT_CONTROL_BUTTON); }
  static void Click(int id) { OnDialogEvent(EVENT_BUTTON_CLICKED, id, Button(id)); }
  // One letter a button in the order of kGameButtons: E enabled and shown,
  // d disabled and shown, h enabled and hidden, x neither.
  static std::string ButtonStates() {
    std::string states;
    for (const GameButton& b : kGameButtons)
      states += "xhdE"[Button(b.id)->GetVisible() * 2 + Button(b.id)->GetEnabled()];
    return states;
  }

  RecordingDevice* device = nullptr;
};
