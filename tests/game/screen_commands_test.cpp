// Clicks and keys on each screen, and under the exit prompt over it: the
// buttons always match the screen, and No shows the screen a key made.
#include "tests/game/flow_fixture.h"

namespace {

enum Screen { AtTitle, AtPlay, AtTutorial, AtFinish };
// Keys as inputs, told apart from button IDs by their sign.
constexpr int Enter = -VK_RETURN, KeyL = -'L', KeyR = -'R';
constexpr int Start = ButtonStartGame, Tour = ButtonStartTutorial, Next = ButtonNext,
              Exit = ButtonExitGame, No = ButtonNo, Restart = ButtonRestartGame;
const std::string FinishedButtons = "hddhhEdEdddhh";  // only Restart Game and Exit Game

class ScreenCommandsTest : public FlowTest {
 protected:
  void SetUp() override {
    FlowTest::SetUp();
    LoadFirstLevel(device);
  }
  // A click on the button's middle, through the dialog: a disabled or a
  // hidden button takes none.
  void Press(int id) {
    const RECT r = MenuButton(id)->GetRect();
    const POINT corner = MenuDialog.GetLocation();
    const LPARAM at = MAKELPARAM(corner.x + (r.left + r.right) / 2, corner.y + (r.top + r.bottom) / 2);
    MenuDialog.MsgProc(nullptr, WM_LBUTTONDOWN, 0, at);
    MenuDialog.MsgProc(nullptr, WM_LBUTTONUP, 0, at);
  }
  void Give(int input) {
    if (input > 0) return Press(input);
    OnKeyboard(UINT(-input), true, false);
    OnKeyboard(UINT(-input), false, false);
  }
  // From the title of a fresh run; the tutorial stands at step 3, and the
  // game is finished by clearing map1 with FINISH next.
  void GoTo(Screen screen) {
    TearDown();
    SetUp();
    if (screen == AtTutorial) {
      for (int id : {Tour, Next, Next, Next}) Press(id);
    } else if (screen != AtTitle) {
      Press(Start);
    }
    if (screen != AtFinish) return;
    CopyText(CurrentScene->nextMapName, "FINISH.mn");
    for (GameObject* o = CurrentScene->firstObject; o; o = o->next) o->arrived = o->IsBall();
    FrameAt(200000.0);
    FrameAt(203000.5);
  }
  // The buttons, then what the frame driver and the status text go by.
  std::string Seen() const {
    const Scene& scene = *CurrentScene;
    std::string screen = scene.finished ? "finished"
                         : scene.tutorial ? "tutorial " + std::to_string(CurrentTutorial.Step)
                         : GameStarted    ? "playing"
                                          : "title";
    return ButtonStates() + " " + screen + " " + scene.currentMapName;
  }
};

const struct {
  Screen from;
  std::vector<int> inputs;
  std::string buttons, screen;
} kCases[] = {
    {AtTitle, {KeyL}, TitleButtons, "title map1.mn"},
    {AtTitle, {KeyR}, TitleButtons, "title map1.mn"},
    {AtTitle, {Enter}, PlayingButtons, "playing map1.mn"},
    {AtPlay, {KeyL}, PlayingButtons, "playing map1.mn"},
    {AtPlay, {KeyR}, TitleButtons, "title map1.mn"},
    {AtPlay, {Enter}, PlayingButtons, "playing map1.mn"},
    {AtTutorial, {KeyL}, TutorialButtons, "tutorial 0 map0.mn"},  // the tutorial from its start
    {AtTutorial, {KeyR}, TitleButtons, "title map1.mn"},
    {AtTutorial, {Enter}, TutorialButtons, "tutorial 3 map0.mn"},  // Start Game! is off here too
    {AtFinish, {KeyL}, PlayingButtons, "playing map1.mn"},
    {AtFinish, {KeyR}, TitleButtons, "title map1.mn"},
    {AtFinish, {Enter}, FinishedButtons, "finished map1.mn"},
    // Sequences that once left the buttons out of step with the screen.
    {AtTutorial, {KeyL, Next}, TutorialButtons, "tutorial 1 map0.mn"},
    {AtTitle, {Tour, Exit, KeyR, Tour, No}, TitleButtons, "title map1.mn"},
    {AtTitle, {Tour, Exit, KeyR, Tour, No, Start}, PlayingButtons, "playing map1.mn"},
    {AtTitle, {Tour, Exit, KeyR, No}, TitleButtons, "title map1.mn"},
    {AtTitle, {Start, Exit, KeyR, No}, TitleButtons, "title map1.mn"},
    {AtTitle, {Start, Exit, KeyR, No, Enter}, PlayingButtons, "playing map1.mn"},
    {AtFinish, {KeyR, Start}, PlayingButtons, "playing map1.mn"},  // Mute Sound back on
    {AtFinish, {Restart, Start}, PlayingButtons, "playing map1.mn"},
    {AtTutorial, {Exit, KeyL, No, Next}, TutorialButtons, "tutorial 1 map0.mn"},
};

TEST_F(ScreenCommandsTest, TheButtonsMatchTheScreenAfterEveryCommand) {
  for (const auto& c : kCases) {
    SCOPED_TRACE(&c - kCases);
    GoTo(c.from);
    for (int input : c.inputs) Give(input);
    EXPECT_EQ(Seen(), c.buttons + " " + c.screen);
    EXPECT_EQ(ExitPromptShown, 0);
  }
}

// The prompt stays over whatever a key does beneath it, with only Yes and
// No to click; No then shows what the key alone would have left.
TEST_F(ScreenCommandsTest, AKeyUnderTheExitPromptActsOnTheScreenBeneathIt) {
  for (Screen from : {AtTitle, AtPlay, AtTutorial, AtFinish}) {
    for (int key : {KeyL, KeyR, Enter}) {
      SCOPED_TRACE(testing::Message() << from << " key " << -key);
      GoTo(from);
      Give(key);
      const std::string alone = Seen();
      GoTo(from);
      Press(Exit);
      Give(key);
      EXPECT_EQ(ButtonStates(), PromptButtons);
      EXPECT_EQ(ExitPromptShown, 1);
      Press(No);
      EXPECT_EQ(Seen(), alone);
      EXPECT_EQ(ExitPromptShown, 0);
    }
  }
}

// Left at a door step with the door moved, the tutorial begins again at
// its first step, started from the title or restarted by L.
TEST_F(ScreenCommandsTest, TheTutorialBeginsAtItsFirstStepWhenStartedOrRestarted) {
  for (int input : {Tour, KeyL}) {
    SCOPED_TRACE(input);
    GoTo(input == Tour ? AtTitle : AtTutorial);
    CurrentTutorial = {13, 1};
    Give(input);
    EXPECT_TRUE(CurrentScene->tutorial && CurrentTutorial.Step == 0 && CurrentTutorial.StepDone == 0);
  }
}

}  // namespace
