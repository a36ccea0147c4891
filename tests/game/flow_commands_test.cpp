// The flow commands through the buttons: every button's state after each,
// the tutorial and the exit prompt inside each other, and what the
// commands do to the level, the score and the music.
#include "tests/files/temp_folder.h"
#include "tests/game/flow_fixture.h"

namespace {

const std::string &kStart = TitleButtons, &kPlaying = PlayingButtons, &kTutorial = TutorialButtons,
                  &kPrompt = PromptButtons;

class FlowCommandsTest : public FlowTest {
 protected:
  void SetUp() override {
    FlowTest::SetUp();
    LoadFirstLevel(device);
  }
};

TEST_F(FlowCommandsTest, EveryCommandLeavesTheButtonsAsItsScreenNeeds) {
  enum { Start = ButtonStartGame, Restart = ButtonRestartGame, Exit = ButtonExitGame, No = ButtonNo,
         Tutorial = ButtonStartTutorial, Next = ButtonNext, End = ButtonEndTutorial, Save = ButtonSaveGame };
  std::vector<int> promptThenNext18 = {Tutorial, Exit, No};
  promptThenNext18.resize(21, Next);
  const struct {
    std::vector<int> clicks;
    const char* levelToLoad;
    std::string states;
  } cases[] = {
      {{Start}, "", kPlaying}, {{Start}, "map4.mn", SavedButtons}, {{Start, Restart}, "map4.mn", kStart},
      {{Start, ButtonRestartLevel, ButtonMuteMusic, ButtonLoadGame, 42}, "", kPlaying},
      {{Start, Save}, "", kPlaying}, {{Start, Save, Restart, Start}, "", SavedButtons},
      {{Tutorial, Next, Next}, "", kTutorial}, {{Tutorial, End}, "", kStart}, {{Exit}, "", kPrompt},
      {{Exit, No}, "", kStart}, {{Start, Exit}, "", kPrompt}, {{Start, Exit, No}, "", kPlaying},
      {{Tutorial, Exit}, "", kPrompt}, {{Tutorial, Exit, No}, "", kTutorial},
      {{Tutorial, Exit, No, End}, "", kStart}, {promptThenNext18, "", kStart},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    TearDown();
    SetUp();
    CopyText(LevelToLoad, c.levelToLoad);
    for (int id : c.clicks) {
      FindSound("iconClick")->Playing = 0;
      Click(id);
      EXPECT_TRUE(Playing("iconClick"));
    }
    EXPECT_EQ(ButtonStates(), c.states);
    EXPECT_EQ(ExitPromptShown, c.states == kPrompt);
  }
  EXPECT_STREQ(CurrentScene->currentMapName, "map1.mn");
  EXPECT_EQ(CurrentScene->tutorial, 0);
}

TEST_F(FlowCommandsTest, CommandsKeepTheScoreTheLevelAndTheMusicTheirOwnWay) {
  Score = 7000, LevelCounter = 9;
  Click(ButtonStartGame);
  EXPECT_EQ(LevelCounter, 0);
  LevelCounter = 4;
  Click(ButtonRestartLevel);
  EXPECT_TRUE(GameStarted && CurrentScene->retried && Score == 7000);
  CopyText(CurrentScene->currentMapName, std::string(64, 'm').c_str());
  Click(ButtonSaveGame);  // too long to keep whole: refused
  EXPECT_STREQ(LevelToLoad, "");
  CopyText(CurrentScene->currentMapName, "map4.mn");
  Click(ButtonSaveGame);
  Click(ButtonLoadGame);
  EXPECT_TRUE(!std::strcmp(SavedLevel, "map4.mn") && !CurrentScene->retried && Score == 7000);
  Click(ButtonMuteMusic);
  EXPECT_TRUE(MusicMuted && !Playing("mainMusic"));
  EXPECT_EQ(std::u16string(static_cast<CDXUTStatic*>(MenuButton(ButtonMuteMusic))->GetText()), u"UnMute Sound");
  CopyText(CurrentMusicName, "mainMusic3");
  Click(ButtonRestartGame);  // muted: no track changes
  EXPECT_TRUE(!GameStarted && Score == 0 && LevelCounter == 4 && !std::strcmp(CurrentMusicName, "mainMusic3"));
  Click(ButtonMuteMusic);
  Click(ButtonRestartGame);
  EXPECT_TRUE(!Playing("mainMusic3") && Playing("mainMusic") && !std::strcmp(CurrentMusicName, "mainMusic"));
  EXPECT_STREQ(CurrentScene->currentMapName, "map1.mn");
}

// With no level at all (no map can be found) nothing that needs one runs.
TEST_F(FlowCommandsTest, WithoutALevelCommandsKeysAndFramesDoWhatTheyCan) {
  TempFolder folder;
  const auto home = std::filesystem::current_path();
  std::filesystem::current_path(folder.path);
  delete CurrentScene;
  CurrentScene = nullptr;
  for (int id : {ButtonStartGame, ButtonRestartLevel, ButtonSaveGame, ButtonStartTutorial, ButtonNext,
                 ButtonEndTutorial, ButtonRestartGame}) {
    OnKeyboard(id == ButtonNext ? 'L' : VK_RETURN, false, false);
    Click(id);
    AdvanceGame(device);
  }
  std::filesystem::current_path(home);
  EXPECT_TRUE(CurrentScene == nullptr && SavedLevel[0] == '\0' && ButtonStates() == kStart);
}

}  // namespace
