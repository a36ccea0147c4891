#include <gtest/gtest.h>

#include <vector>

#include "game_buttons.h"
#include "platform/dxut/dxut_gui.h"

namespace {

struct Event {
  UINT code;
  int id;
  CDXUTControl* control;
};
std::vector<Event> events;
void OnEvent(UINT code, int id, CDXUTControl* control) { events.push_back({code, id, control}); }

struct DialogTest : ::testing::Test {
  void SetUp() override {
    events.clear();
    dialog.SetCallback(OnEvent);
    AddGameButtons(dialog);
  }
  bool Send(UINT message, int x, int y) {
    return dialog.MsgProc(nullptr, message, 0, MAKELPARAM(x, y));
  }
  // A press and a release at one point; true when both were handled.
  bool Click(int x, int y) {
    bool down = Send(WM_LBUTTONDOWN, x, y);
    bool up = Send(WM_LBUTTONUP, x, y);
    return down && up;
  }
  CDXUTControl* Button(int id) { return dialog.GetControl(id, DXUT_CONTROL_BUTTON); }
  std::vector<int> Clicked() {
    std::vector<int> ids;
    for (const Event& e : events) ids.push_back(e.id);
    return ids;
  }
  CDXUTDialog dialog;
};

// Back-buffer x of the column's buttons: the dialog at 854, buttons at 35.
constexpr int kLeft = 854 + 35;

TEST_F(DialogTest, ButtonsAreFoundByIdAndTypeWithTheirLabels) {
  CDXUTControl* start = Button(6);
  ASSERT_NE(start, nullptr);
  EXPECT_EQ(start->GetID(), 6);
  EXPECT_EQ(start->GetType(), UINT(DXUT_CONTROL_BUTTON));
  EXPECT_EQ(std::u16string(static_cast<CDXUTStatic*>(start)->GetText()), u"Start Game!");
  EXPECT_EQ(dialog.GetControl(6, DXUT_CONTROL_STATIC), nullptr);
  EXPECT_EQ(Button(99), nullptr);

  // A second control under one ID: the first one made is found.
  CDXUTButton* made = nullptr;
  EXPECT_EQ(dialog.AddButton(6, u"Again", 0, 0, 10, 10, 0, false, &made), S_OK);
  EXPECT_NE(made, nullptr);
  EXPECT_EQ(Button(6), start);
  EXPECT_TRUE(made->GetEnabled());
  EXPECT_TRUE(made->GetVisible());

  auto* mute = static_cast<CDXUTStatic*>(Button(19));
  mute->SetText(u"UnMute Sound");
  EXPECT_EQ(std::u16string(mute->GetText()), u"UnMute Sound");
  mute->SetText(nullptr);
  EXPECT_EQ(std::u16string(mute->GetText()), u"");
}

TEST_F(DialogTest, AClickReachesTheCallbackAndIsHandled) {
  EXPECT_TRUE(Click(kLeft + 60, 34 + 11));
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].code, UINT(EVENT_BUTTON_CLICKED));
  EXPECT_EQ(events[0].id, 6);
  EXPECT_EQ(events[0].control, Button(6));

  // Edges: the left and top edges belong to the button, the right and
  // bottom ones do not.
  events.clear();
  EXPECT_TRUE(Click(kLeft, 58));
  EXPECT_FALSE(Click(kLeft + 125, 58 + 5));
  EXPECT_FALSE(Click(kLeft - 1, 58 + 5));
  EXPECT_TRUE(Click(kLeft + 124, 58 + 21));
  EXPECT_EQ(Clicked(), (std::vector<int>{14, 14}));
}

TEST_F(DialogTest, DisabledAndHiddenButtonsTakeNoClick) {
  EXPECT_FALSE(Click(kLeft + 10, 82 + 5));   // Restart Game, disabled
  EXPECT_FALSE(Click(kLeft + 10, 10 + 5));   // Toggle full screen, hidden
  EXPECT_FALSE(Click(kLeft + 10, 346 + 5));  // Yes, hidden
  EXPECT_TRUE(events.empty());

  Button(7)->SetEnabled(true);
  Button(10)->SetVisible(true);
  EXPECT_TRUE(Click(kLeft + 10, 82 + 5));
  EXPECT_TRUE(Click(kLeft + 10, 346 + 5));
  EXPECT_EQ(Clicked(), (std::vector<int>{7, 10}));
}

TEST_F(DialogTest, OverlappingButtonsGoToTheFirstThatTakesInput) {
  // No (370 to 392) and Next (382 to 404) overlap; Next was made first.
  Button(11)->SetVisible(true);
  Button(15)->SetVisible(true);
  EXPECT_TRUE(Click(kLeft + 10, 385));
  Button(15)->SetVisible(false);  // the exit prompt hides Next
  EXPECT_TRUE(Click(kLeft + 10, 385));
  Button(15)->SetVisible(true);
  Button(15)->SetEnabled(false);
  EXPECT_TRUE(Click(kLeft + 10, 385));
  EXPECT_EQ(Clicked(), (std::vector<int>{15, 11, 11}));
}

TEST_F(DialogTest, APressAndAReleaseMustMeetOnOneButton) {
  // Pressed on Start Game!, released on Start Tutorial: no click, but the
  // release is the dialog's.
  EXPECT_TRUE(Send(WM_LBUTTONDOWN, kLeft + 10, 40));
  EXPECT_TRUE(Send(WM_LBUTTONUP, kLeft + 10, 64));
  // Pressed outside, released on a button.
  EXPECT_FALSE(Send(WM_LBUTTONDOWN, 100, 100));
  EXPECT_FALSE(Send(WM_LBUTTONUP, kLeft + 10, 40));
  // Pressed on a button, released outside the window's buttons.
  EXPECT_TRUE(Send(WM_LBUTTONDOWN, kLeft + 10, 40));
  EXPECT_TRUE(Send(WM_LBUTTONUP, 10, 10));
  EXPECT_TRUE(events.empty());
  // A button disabled between press and release is not clicked.
  EXPECT_TRUE(Send(WM_LBUTTONDOWN, kLeft + 10, 40));
  Button(6)->SetEnabled(false);
  EXPECT_TRUE(Send(WM_LBUTTONUP, kLeft + 10, 40));
  EXPECT_TRUE(events.empty());
  // Pressed on Next where it does not overlap No, released in the overlap.
  Button(11)->SetVisible(true);
  Button(15)->SetVisible(true);
  EXPECT_TRUE(Send(WM_LBUTTONDOWN, kLeft + 10, 400));
  EXPECT_TRUE(Send(WM_LBUTTONUP, kLeft + 10, 385));
  EXPECT_EQ(Clicked(), (std::vector<int>{15}));
}

TEST_F(DialogTest, MovesAndOtherMessagesAreLeftToTheCaller) {
  EXPECT_FALSE(Send(WM_MOUSEMOVE, kLeft + 10, 40));
  EXPECT_FALSE(Send(WM_RBUTTONDOWN, kLeft + 10, 40));
  EXPECT_FALSE(dialog.MsgProc(nullptr, WM_KEYDOWN, VK_RETURN, 0));
  EXPECT_FALSE(dialog.MsgProc(nullptr, WM_KEYDOWN, 0, 0));  // hotkey 0 is none
  EXPECT_TRUE(events.empty());
}

TEST_F(DialogTest, AHotkeyClicksAButtonThatTakesInput) {
  dialog.AddButton(30, u"Hot", 0, 500, 50, 20, 'H');
  EXPECT_TRUE(dialog.MsgProc(nullptr, WM_KEYDOWN, 'H', 0));
  Button(30)->SetEnabled(false);
  EXPECT_FALSE(dialog.MsgProc(nullptr, WM_KEYDOWN, 'H', 0));
  EXPECT_EQ(Clicked(), (std::vector<int>{30}));
}

TEST_F(DialogTest, ThePlacementMovesWhereClicksLand) {
  dialog.SetLocation(800 - 170, 0);
  EXPECT_TRUE(Click(800 - 135, 40));
  EXPECT_FALSE(Click(kLeft + 10, 40));
  EXPECT_EQ(Clicked(), (std::vector<int>{6}));
  EXPECT_EQ(dialog.GetLocation().x, 630);
  EXPECT_EQ(dialog.GetWidth(), 170);
  EXPECT_EQ(dialog.GetHeight(), 170);
}

TEST_F(DialogTest, TheCallbackMayChangeTheButtons) {
  static CDXUTDialog* current;
  current = &dialog;
  dialog.SetCallback([](UINT, int id, CDXUTControl* control) {
    control->SetVisible(false);
    current->GetControl(id == 9 ? 10 : 9, DXUT_CONTROL_BUTTON)->SetVisible(true);
    events.push_back({0, id, control});
  });
  EXPECT_TRUE(Click(kLeft + 10, 135));  // Exit Game hides itself and shows Yes
  EXPECT_FALSE(Click(kLeft + 10, 135));
  EXPECT_TRUE(Click(kLeft + 10, 350));
  EXPECT_EQ(Clicked(), (std::vector<int>{9, 10}));
}

}  // namespace
