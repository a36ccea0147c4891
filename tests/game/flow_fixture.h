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
#include "tests/game/buttons_at_start_up.h"
#include "world/level_clock.h"
#include "world/scene.h"
#include "world/text_copy.h"
#include "world/tilt.h"

class FlowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static const bool once = (MenuButtonsAtStartUp(), InitSound(), true);
    SetButtonStates(TitleButtons);
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
  static void Click(int id) { OnDialogEvent(EVENT_BUTTON_CLICKED, id, MenuButton(id)); }

  RecordingDevice* device = nullptr;
};
