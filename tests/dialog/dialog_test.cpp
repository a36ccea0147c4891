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
    return Send(WM_LBUTTONUP, x, y) && down;
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

TEST_F(DialogTest, AClickReachesTheCallbackOnlyInsideTheButton) {
  EXPECT_TRUE(Click(kLeft + 60, 34 + 11));
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].code, UINT(EVENT_BUTTON_CLICKED));
  EXPECT_EQ(events[0].control, Button(6));

  // The left and top edges belong to the button, the right and bottom not.
  EXPECT_TRUE(Click(kLeft, 58));
  EXPECT_FALSE(Click(kLeft + 125, 58 + 5));
  EXPECT_FALSE(Click(kLeft - 1, 58 + 5));
  EXPECT_TRUE(Click(kLeft + 124, 58 + 21));
  // Moved, the dialog takes its clicks at the new place only.
  dialog.SetLocation(800 - 170, 0);
  EXPECT_TRUE(Click(800 - 135, 40));
  EXPECT_FALSE(Click(kLeft + 10, 40));
  EXPECT_EQ(Clicked(), (std::vector<int>{6, 14, 14, 6}));
}

TEST_F(DialogTest, DisabledHiddenAndOverlappingButtons) {
  EXPECT_FALSE(Click(kLeft + 10, 82 + 5));   // Restart Game, disabled
  EXPECT_FALSE(Click(kLeft + 10, 346 + 5));  // Yes, hidden
  Button(7)->SetEnabled(true);
  EXPECT_TRUE(Click(kLeft + 10, 82 + 5));
  // No (370 to 392) and Next (382 to 404) overlap; Next was made first.
  Button(11)->SetVisible(true);
  Button(15)->SetVisible(true);
  EXPECT_TRUE(Click(kLeft + 10, 385));
  Button(15)->SetVisible(false);
  EXPECT_TRUE(Click(kLeft + 10, 385));
  Button(15)->SetVisible(true);
  Button(15)->SetEnabled(false);
  EXPECT_TRUE(Click(kLeft + 10, 385));
  EXPECT_EQ(Clicked(), (std::vector<int>{7, 15, 11, 11}));
}

TEST_F(DialogTest, APressAndAReleaseMustMeetOnOneButton) {
  // Pressed on Start Game!, released on Start Tutorial: no click, but handled.
  EXPECT_TRUE(Send(WM_LBUTTONDOWN, kLeft + 10, 40));
  EXPECT_TRUE(Send(WM_LBUTTONUP, kLeft + 10, 64));
  // Pressed outside, released on a button.
  EXPECT_FALSE(Send(WM_LBUTTONDOWN, 100, 100));
  EXPECT_FALSE(Send(WM_LBUTTONUP, kLeft + 10, 40));
  // Pressed on a button, released outside the buttons.
  EXPECT_TRUE(Send(WM_LBUTTONDOWN, kLeft + 10, 40));
  EXPECT_TRUE(Send(WM_LBUTTONUP, 10, 10));
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

TEST_F(DialogTest, ControlsByIdAndMessagesLeftToTheCaller) {
  CDXUTControl* start = Button(6);
  EXPECT_EQ(dialog.GetControl(6, DXUT_CONTROL_STATIC), nullptr);
  dialog.AddButton(6, u"Again", 0, 0, 10, 10);
  EXPECT_EQ(Button(6), start);  // under one ID the first made is found
  auto* mute = static_cast<CDXUTStatic*>(Button(19));
  mute->SetText(nullptr);
  EXPECT_EQ(std::u16string(mute->GetText()), u"");

  EXPECT_FALSE(Send(WM_MOUSEMOVE, kLeft + 10, 40));
  EXPECT_FALSE(Send(WM_RBUTTONDOWN, kLeft + 10, 40));
  EXPECT_FALSE(dialog.MsgProc(nullptr, WM_KEYDOWN, 0, 0));  // hotkey 0 is none
  EXPECT_TRUE(events.empty());
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
