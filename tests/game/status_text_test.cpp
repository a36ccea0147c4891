// The status text read back from the glyph quads a recording device was
// handed, compared with the same font drawing the expected texts.
#include "game/status_text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <tuple>

#include "buttons_at_start_up.h"
#include "files/map_reader.h"
#include "files/profile_values.h"
#include "game/game_values.h"
#include "game/tutorial.h"
#include "platform/dxut/dxut_state.h"
#include "render/device_resources.h"
#include "sound/sound_table.h"
#include "tests/dialog/recorded_quads.h"
#include "world/level_clock.h"

namespace {

struct Text {
  std::u16string text;
  int x, y;
};

auto Quads(const RecordingDevice& device) {
  std::vector<std::tuple<void*, float, float, float, float, float, float, D3DCOLOR>> quads;
  for (const RecordedQuad& q : AllQuads(device))
    quads.emplace_back(q.texture, q.left, q.top, q.right, q.bottom, q.u0, q.v0, q.color);
  return quads;
}

struct StatusTextTest : ::testing::Test {
  void SetUp() override {
    SetButtonStates(MenuButtonsAtStartUp());
    D3DXCreateFontW(device, 30, 0, FW_NORMAL, 1, FALSE, 0, 0, 0, 0, u"Elephant", &StatusFont);
    D3DXCreateSprite(device, &StatusSprite);
    MapScoreList = new struct MapScoreList;
    MapScoreList->Record("map12.mn", 61);
    Reset();
  }
  void TearDown() override {
    CurrentScene = nullptr;
    delete MapScoreList;
    StatusSprite->Release();
    StatusFont->Release();
    device->Release();
  }
  // Playing map12.mn (best time 61) with 37 seconds and two balls left.
  void Reset(UINT width = 1024, UINT height = 768) {
    DXUT().backBuffer.Width = width, DXUT().backBuffer.Height = height;
    scene = std::make_unique<Scene>();
    std::snprintf(scene->currentMapName, sizeof scene->currentMapName, "map12.mn");
    for (const char* name : {"b1", "b2"}) {
      scene->AddObjectAt("ball", 1, 1, 1, 0, 0, 0);
      std::snprintf(scene->lastAdded->name, sizeof scene->lastAdded->name, "%s", name);
    }
    CurrentScene = scene.get();
    CurrentLevelClock = &clock;
    clock.secondsLeft = 37;
    GameStarted = 1, Score = 1200, HighScore = 5000;
    DataInconsistent = ExitPromptShown = 0;
  }
  // What was drawn equals the texts drawn in opaque yellow through one batch.
  void ExpectTexts(const std::vector<Text>& texts) {
    device->calls.clear();
    DrawStatusText(device);
    auto drawn = Quads(*device);
    device->calls.clear();
    StatusSprite->Begin(D3DXSPRITE_ALPHABLEND);
    for (const Text& t : texts) {
      RECT r{t.x, t.y, t.x, t.y};
      StatusFont->DrawTextW(StatusSprite, t.text.c_str(), -1, &r, DT_NOCLIP, 0xffffff00);
    }
    StatusSprite->End();
    EXPECT_FALSE(drawn.empty());
    EXPECT_TRUE(drawn == Quads(*device));
  }
  RecordingDevice* device = new RecordingDevice;
  std::unique_ptr<Scene> scene;
  LevelClock clock{};
};

const Text Hud[] = {{u"Score: 1200\nHigh Score: 5000\n", 30, 20},
                    {u"Time Left: 37\nBest Time: 61\n", 462, 10},
                    {u"Current Level:\n   12", 854, 668}};
const Text Quit = {u"Really Quit?", 874, 250};

TEST_F(StatusTextTest, EveryScreenDrawsItsTextsAtTheirPlaces) {
  // clang-format off
  const std::tuple<std::function<void(Scene&)>, Text, bool> cases[] = {
      {[](Scene&) {}, {}, true},
      {[](Scene& s) { s.cleared = 1; }, {u"Level Cleared!\nBonus Scores:\nTime Left:\t37 x 1000\t= "
          u"37000\nTumbloxes Finished:\t2 x 1000\t= 2000\n", 382, 384}, true},
      {[](Scene& s) { s.cleared = s.retried = 1; },
       {u"Level Cleared!\nNo Bonus For Restarting Level :)", 382, 384}, true},
      {[](Scene& s) { s.failed = 1; }, {u"Try Again", 382, 384}, true},
      {[](Scene& s) { s.tutorial = ExitPromptShown = 1, CurrentTutorial.Step = 4; },
       {u"And UP (W)...", 382, 284}, false},
      {[](Scene&) { GameStarted = 0, ExitPromptShown = 1; },
       {u"Press Enter or Start Game! to play", 312, 688}, false},
      {[](Scene& s) { s.finished = ExitPromptShown = 1; }, {u"Congratulations!\nYou have completed "
          u"saving all the Tumbloxes!.\nThank you for playing\nTumblox, by the Tumblox team", 412, 284},
       false}};
  // clang-format on
  for (const auto& [set, text, hud] : cases) {
    Reset();
    set(*scene);
    std::vector<Text> texts;
    if (ExitPromptShown) texts.push_back(Quit);
    if (!text.text.empty()) texts.push_back(text);
    if (hud) texts.insert(texts.end(), std::begin(Hud), std::end(Hud));
    SCOPED_TRACE(std::string(text.text.begin(), text.text.end()));
    ExpectTexts(texts);
  }
  Reset(800, 600);
  ExitPromptShown = 1;
  std::snprintf(scene->currentMapName, sizeof scene->currentMapName, "map3.mn");  // no record
  ExpectTexts({{Quit.text, 650, 250},
               Hud[0],
               {u"Time Left: 37\nBest Time: 0\n", 350, 10},
               {u"Current Level:\n   3", 630, 500}});
}

TEST_F(StatusTextTest, TheLevelLabelKeepsTheMapsNumber) {
  const std::pair<std::string, std::string> cases[] = {
      {"12.mn", "12"},
      {"map1b.mn", "   1b"},
      {"l.e.v9", "     9"},
      {"level.mn", "        "},
      {"m" + std::string(258, '7'), " " + std::string(239, '7')}};  // cut to the line's 255
  for (const auto& [name, label] : cases) {
    std::snprintf(scene->currentMapName, sizeof scene->currentMapName, "%s", name.c_str());
    std::u16string level = u"Current Level:\n" + std::u16string(label.begin(), label.end());
    ExpectTexts({Hud[0], {u"Time Left: 37\nBest Time: 0\n", 462, 10}, {level, 854, 668}});
  }
}

TEST_F(StatusTextTest, TheDataNoticeAloneShowsSilencesAndHidesTheButtons) {
  InitSound();
  FindSound(CurrentMusicName)->Play(true);
  MusicMuted = 0;
  DataInconsistent = ExitPromptShown = 1;
  ExpectTexts({{u"Data Is Inconsistent.\nPlease reinstall Tumblox", 512, 384}});
  EXPECT_EQ(MusicMuted, 1);
  EXPECT_EQ(FindSound(CurrentMusicName)->Playing, 0);
  EXPECT_EQ(ButtonStates(), "hhhhhxxExxhhh");  // Exit Game alone is left
  FreeSoundTable();
}

TEST_F(StatusTextTest, WithoutALevelItSaysWhereTheMapsWereLookedFor) {
  std::string folder = std::filesystem::absolute("res/maps").string();
  CurrentLevelClock = nullptr;
  std::u16string line = u"Game data missing: no maps in ";
  ExpectTexts({{line + std::u16string(folder.begin(), folder.end()), 10, 384}});
}

}  // namespace
