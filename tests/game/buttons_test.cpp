// The button column through the game's operations on MenuDialog.
#include <gtest/gtest.h>

#include <functional>

#include "buttons_at_start_up.h"
#include "files/profile_values.h"

namespace {

const std::string &Title = TitleButtons, &Level = SavedButtons, &Tutorial = TutorialButtons,
                  &Prompt = PromptButtons;

struct ButtonsTest : ::testing::Test {
  void SetUp() override {
    MenuButtonsAtStartUp();
    FreeSavedButtonStates();
  }
};

TEST_F(ButtonsTest, StartUpMakesThirteenButtonsWithTheirLabelsPlacesAndStates) {
  EXPECT_EQ(MenuButtonsAtStartUp(), Title);
  for (const GameButton& b : kGameButtons) {
    RECT r = MenuButton(b.id)->GetRect();
    EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}),
              (std::vector<LONG>{35, b.y, 160, b.y + 22}));
    std::u16string label = static_cast<CDXUTStatic*>(MenuButton(b.id))->GetText();
    EXPECT_TRUE(label == b.label || b.id == ButtonMuteMusic);
  }
  for (auto [muted, label] : {std::pair{1, u"UnMute Sound"}, std::pair{0, u"Mute Sound"}}) {
    MusicMuted = u8(muted);
    LabelMuteButton();
    EXPECT_EQ(static_cast<CDXUTStatic*>(MenuButton(ButtonMuteMusic))->GetText(),
              std::u16string(label));
  }
}

TEST_F(ButtonsTest, EachOperationLeavesItsStates) {
  auto promptInOut = [] { OpenExitPrompt(), CloseExitPrompt(); };
  // clang-format off
  const std::tuple<std::string, std::function<void()>, std::string> cases[] = {
      {Title, OpenExitPrompt, Prompt}, {Level, OpenExitPrompt, Prompt},
      {Tutorial, OpenExitPrompt, Prompt}, {Title, promptInOut, Title},
      {Tutorial, promptInOut, Tutorial}, {Level, promptInOut, Level},
      {Title, [&] {  // the prompt inside the tutorial, then the tutorial's end
         SaveButtonStates(TutorialButtonStates), SetButtonStates(Tutorial), promptInOut();
         RestoreButtonStates(TutorialButtonStates); }, Title},
      {Level, [] { SaveButtonStates(), SetButtonStates(Title), RestoreButtonStates(),
                   RestoreButtonStates(); }, Level},
      {Level, [] { RestoreButtonStates(); }, Level},
      {Level, [] { SaveButtonStates(), FreeSavedButtonStates(), SetButtonStates(Title),
                   RestoreButtonStates(); }, Title},
      {Prompt, CloseExitPrompt, "hddxxddddddhh"},
      {Level, [] { ShowGameButtons(false); }, "hddhhEdEdddhh"},
      {Title, [] { ShowGameButtons(true); }, "hEEhhdEEEEEEE"},
      {Level, [] { HideMenuButtons(), HideMenuButtons(); }, "hxxhhhhEhhhhh"}};
  // clang-format on
  for (const auto& [from, run, to] : cases) {
    SetButtonStates(from);
    ExitPromptShown = 0;
    run();
    EXPECT_EQ(ButtonStates(), to) << from;
    EXPECT_EQ(ExitPromptShown, to == Prompt) << from;
  }
}

TEST_F(ButtonsTest, TheColumnStandsAtTheBackBuffersRightEdge) {
  for (u32 width : {1024u, 800u, 1920u}) {
    PlaceMenuDialog(width);
    POINT corner = MenuDialog.GetLocation();
    EXPECT_EQ((std::vector<LONG>{corner.x + MenuButton(ButtonStartGame)->GetRect().left, corner.y,
                                 MenuDialog.GetWidth(), MenuDialog.GetHeight()}),
              (std::vector<LONG>{LONG(width) - 135, 0, 170, 170}));
  }
}

}  // namespace
