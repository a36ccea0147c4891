// The keys: one tilt flag for an arrow and its letter; Enter, L and R act
// on release only, under the exit prompt too; Enter only on the title.
#include "tests/game/flow_fixture.h"

namespace {

TEST_F(FlowTest, EveryKeyActsAsTheGameNeeds) {
  LoadFirstLevel(device);
  const struct {
    UINT key;
    bool down;
    u8 prompt, tutorial;  // the exit prompt up; the tutorial, or with L the finished screen
    const char* after;  // Left Right Down Up held, started, map loaded, retried
  } presses[] = {
      {VK_LEFT, true, 0, 0, "1000 0 map1.mn 0"}, {'A', true, 0, 0, "1000 0 map1.mn 0"},
      {'A', false, 0, 0, "0000 0 map1.mn 0"},    {VK_RIGHT, true, 0, 0, "0100 0 map1.mn 0"},
      {'D', false, 0, 0, "0000 0 map1.mn 0"},    {'S', true, 0, 0, "0010 0 map1.mn 0"},
      {VK_DOWN, false, 0, 0, "0000 0 map1.mn 0"}, {'W', true, 0, 0, "0001 0 map1.mn 0"},
      {VK_UP, false, 0, 0, "0000 0 map1.mn 0"},  {'Q', false, 0, 0, "0000 0 map1.mn 0"},
      {VK_RETURN, true, 0, 1, "0000 0 map1.mn 0"}, {VK_RETURN, false, 0, 1, "0000 0 map1.mn 0"},
      {VK_RETURN, false, 0, 0, "0000 1 map1.mn 0"}, {'L', true, 0, 0, "0000 1 map1.mn 0"},
      {'L', false, 1, 1, "0000 1 map1.mn 1"},    {VK_RETURN, false, 0, 0, "0000 1 map1.mn 1"},
      {'R', true, 0, 0, "0000 1 map1.mn 1"},     {'R', false, 1, 0, "0000 0 map1.mn 0"},
      {'L', false, 0, 0, "0000 0 map1.mn 1"},
  };
  for (const auto& p : presses) {
    SCOPED_TRACE(&p - presses);
    ExitPromptShown = p.prompt;
    (p.key == 'L' ? CurrentScene->finished : CurrentScene->tutorial) = p.tutorial;
    OnKeyboard(p.key, p.down, p.key == VK_RETURN);
    std::string after;
    for (u8 held : TiltKeys) after += char('0' + held);
    after += std::string(" ") + char('0' + GameStarted) + " " + CurrentScene->currentMapName + " " +
             char('0' + CurrentScene->retried);
    EXPECT_EQ(after, p.after);
  }
}

}  // namespace
