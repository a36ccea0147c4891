// The framework run whole in this process: the order in which the device
// callbacks, frames and messages reach the game, the hotkeys, the command
// line's flags, closing and failures.
#include <gmock/gmock.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "platform/dxut/timer.h"
#include "tests/framework/framework_fixture.h"

using ::testing::ElementsAre;

namespace {
const std::vector<std::string> kDevice = {"created", "reset", "lost", "destroyed", "modify"};
const std::vector<std::string> kSmall = {"-windowed", "-width:320", "-height:240"};

void Close() { SendMessageW(DXUTGetHWND(), WM_CLOSE, 0, 0); }
}  // namespace

TEST_F(FrameworkTest, StartFramesAndExitRunTheCallbacksInOrderOnAConstantClock) {
  DXUTGetGlobalTimer()->Stop();
  DXUTGetGlobalTimer()->SetTime(10.0);
  EXPECT_EQ(Run({"-windowed", "-width:320", "-height:240", "-constantframetime:0.25",
                 "-quitafterframe:2"}),
            0);
  EXPECT_THAT(Only({"created", "reset", "lost", "destroyed", "move", "render", "modify"}),
              ElementsAre("modify hal", "created 320x240", "reset 320x240", "move 10.25 0.25",
                          "render", "move 10.5 0.25", "render", "lost", "destroyed"));
  EXPECT_EQ(DXUTGetD3DDevice(), nullptr);
}

TEST_F(FrameworkTest, ResizingResetsTheDeviceAndClosingTwiceEndsItOnce) {
  frameScript = [](int frame) {
    if (frame == 1) SDL_SetWindowSize(SDL_GL_GetCurrentWindow(), 400, 300);
    if (frame == 3) {
      Close();
      Close();
    }
  };
  Run(kSmall);
  EXPECT_EQ(frames, 3);
  EXPECT_THAT(Only(kDevice), ElementsAre("modify hal", "created 320x240", "reset 320x240", "lost",
                                         "reset 400x300", "lost", "destroyed"));
  EXPECT_EQ(DXUTGetBackBufferSurfaceDesc()->Width, 0u) << "all let go at the end";
  EXPECT_EQ(SendMessageW(DXUTGetHWND(), WM_CLOSE, 0, 0), 0) << "no window any more";
}

TEST_F(FrameworkTest, F3SwitchesToTheReferenceDeviceThroughDestroyAndCreate) {
  D3DDEVTYPE type = D3DDEVTYPE_HAL;
  frameScript = [&](int frame) {
    if (frame == 1) PushKey(SDLK_F3, true);
    if (frame == 2) {
      type = DXUTGetDeviceSettings().DeviceType;
      Close();
    }
  };
  Run(kSmall);
  EXPECT_EQ(type, D3DDEVTYPE_REF);
  EXPECT_THAT(Only(kDevice),
              ElementsAre("modify hal", "created 320x240", "reset 320x240", "modify ref", "lost",
                          "destroyed", "created 320x240", "reset 320x240", "lost", "destroyed"));
}

TEST_F(FrameworkTest, AltEnterTogglesFullScreenThroughLostAndReset) {
  std::vector<bool> windowed;
  frameScript = [&](int frame) {
    windowed.push_back(DXUTIsWindowed());
    if (frame == 1 || frame == 2) {
      PushKey(SDLK_RETURN, true, KMOD_LALT);
      PushKey(SDLK_RETURN, false, KMOD_LALT);
    }
    if (frame == 3) Close();
  };
  Run(kSmall);
  EXPECT_THAT(windowed, ElementsAre(true, false, true));
  EXPECT_THAT(Only(kDevice),
              ElementsAre("modify hal", "created 320x240", "reset 320x240", "lost",
                          "reset 320x240", "lost", "reset 320x240", "lost", "destroyed"));
  // The game's key callback saw Alt+Enter as Enter with Alt.
  EXPECT_THAT(Only({"key 13"}), ElementsAre("key 13 down alt", "key 13 up alt", "key 13 down alt",
                                            "key 13 up alt"));
}

TEST_F(FrameworkTest, KeysReachTheKeyboardCallbackThenTheMessageCallbackAndClicksArePixels) {
  frameScript = [](int frame) {
    if (frame != 1) return;
    PushKey(SDLK_a, true);
    PushKey(SDLK_a, true, KMOD_NONE, true);  // auto-repeat
    PushKey(SDLK_a, false);
    PushKey(SDLK_LEFT, true, KMOD_LALT);
    PushKey(SDLK_LEFT, false, KMOD_LALT);
    PushKey(SDLK_CAPSLOCK, true);  // no virtual key: nothing
    PushButton(SDL_BUTTON_LEFT, true, 100, 50);
    PushButton(SDL_BUTTON_LEFT, false, 100, 50);
    PushButton(SDL_BUTTON_LEFT, true, 100, 50, 2);
    PushButton(SDL_BUTTON_RIGHT, true, 7, 9);
    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    SDL_PushEvent(&close);
  };
  Run(kSmall);
  EXPECT_THAT(Only({"key", "msg"}),
              ElementsAre("msg 0001 0 0,0", "key 65 down", "msg 0100 65 00000001", "key 65 down",
                          "msg 0100 65 40000001", "key 65 up", "msg 0101 65 c0000001",
                          "key 37 down alt", "msg 0104 37 20000001", "key 37 up alt",
                          "msg 0105 37 e0000001", "msg 0201 0 100,50", "msg 0202 0 100,50",
                          "msg 0203 0 100,50", "msg 0204 0 7,9", "msg 0010 0 0,0"));
}

TEST_F(FrameworkTest, F8TogglesWireframeUnlessTheGameStopsItAndOutlastsAReset) {
  bool block = true;
  std::vector<DWORD> fills;
  stopMessage = [&](UINT message, WPARAM key) {
    return block && message == WM_KEYDOWN && key == VK_F8;
  };
  frameScript = [&](int frame) {
    DWORD fill = 0;
    DXUTGetD3DDevice()->GetRenderState(D3DRS_FILLMODE, &fill);
    fills.push_back(fill);
    if (frame == 1 || frame == 2 || frame == 4) PushKey(SDLK_F8, true);
    if (frame == 2) block = false;
    if (frame == 3) SDL_SetWindowSize(SDL_GL_GetCurrentWindow(), 80, 60);
    if (frame == 5) Close();
  };
  Run({"-windowed", "-width:64", "-height:64"});
  EXPECT_THAT(fills, ElementsAre(D3DFILL_SOLID, D3DFILL_SOLID, D3DFILL_WIREFRAME,
                                 D3DFILL_WIREFRAME, D3DFILL_SOLID));
}

TEST_F(FrameworkTest, PauseStopsFramesAndTheClock) {
  DXUTGetGlobalTimer()->Reset();
  double pausedAt = 0, resumedAt = 0;
  frameScript = [&](int frame) {
    if (frame == 1) {
      PushKey(SDLK_PAUSE, true);
      SDL_AddTimer(
          300,
          [](Uint32, void*) -> Uint32 {
            FrameworkTest::PushKey(SDLK_PAUSE, true);
            return 0;
          },
          nullptr);
      pausedAt = DXUTGetGlobalTimer()->GetTime();
    }
    if (frame == 2) resumedAt = DXUTGetGlobalTimer()->GetTime();
  };
  Run({"-windowed", "-width:64", "-height:64", "-quitafterframe:2"});
  EXPECT_LT(resumedAt - pausedAt, 0.2) << "the clock stood still for the 0.3 s pause";
  EXPECT_EQ(frames, 2);
}

TEST_F(FrameworkTest, FramesComeJustOverAGameStepApartUnlessTheFrameTimeIsConstant) {
  DXUTGetGlobalTimer()->Reset();
  Run({"-windowed", "-width:64", "-height:64", "-quitafterframe:30"});
  const std::vector<std::string> moves = Only({"move"});
  ASSERT_EQ(moves.size(), 30u);
  for (size_t i = 1; i < moves.size(); ++i) {
    double time = 0, elapsed = 0;
    std::sscanf(moves[i].c_str(), "move %lf %lf", &time, &elapsed);
    EXPECT_GT(elapsed, 0.0100) << moves[i];
  }
  // Unpaced, some frames follow each other well within a step, however busy
  // the machine.
  auto last = std::chrono::steady_clock::now();
  auto closest = std::chrono::steady_clock::duration::max();
  frameScript = [&](int) {
    const auto now = std::chrono::steady_clock::now();
    closest = std::min(closest, now - last);
    last = now;
  };
  Run({"-windowed", "-width:64", "-height:64", "-quitafterframe:100", "-constantframetime:0.001"});
  EXPECT_LT(closest, std::chrono::milliseconds(8)) << "no pacing on a constant frame time";
}

TEST_F(FrameworkTest, FailuresEndTheRunWithTheirExitCodes) {
  failCreated = true;
  EXPECT_EQ(Run({"-windowed", "-width:64", "-height:64", "-noerrormsgboxes"}),
            DXUTERR_CREATINGDEVICEOBJECTS);
  EXPECT_EQ(frames, 0);
  EXPECT_THAT(Only(kDevice), ElementsAre("modify hal", "created 64x64", "destroyed"));
  failCreated = false;

  log.clear();
  acceptNone = true;
  EXPECT_EQ(Run({"-windowed", "-noerrormsgboxes"}), DXUTERR_NOCOMPATIBLEDEVICES);
  acceptNone = false;
  EXPECT_EQ(Run({"-adapter:2", "-noerrormsgboxes", "-quitafterframe:1"}),
            DXUTERR_NOCOMPATIBLEDEVICES);

  const char* driver = SDL_getenv("SDL_VIDEODRIVER");
  const std::string before = driver ? driver : "";
  setenv("SDL_VIDEODRIVER", "no-such-display", 1);
  EXPECT_EQ(Run({"-noerrormsgboxes"}), DXUTERR_NODIRECT3D);
  setenv("SDL_VIDEODRIVER", "dummy", 1);  // no OpenGL windows
  EXPECT_EQ(Run({"-noerrormsgboxes"}), DXUTERR_CREATINGWINDOW);
  setenv("SDL_VIDEODRIVER", before.c_str(), 1);
  EXPECT_EQ(frames, 0);
  EXPECT_TRUE(Only(kDevice).empty());
  EXPECT_EQ(Run({"-adapter:0", "-windowed", "-quitafterframe:1"}), 0) << "a new run starts afresh";
}

TEST_F(FrameworkTest, FlagsOverrideTheGamesSettings) {
  DXUTDeviceSettings settings{};
  bool windowed = true;
  frameScript = [&](int) {
    settings = DXUTGetDeviceSettings();
    windowed = DXUTIsWindowed();
  };
  Run({"-forceref", "-forcehwvp", "-windowed", "-width:64", "-height:48", "-quitafterframe:1"});
  EXPECT_EQ(settings.DeviceType, D3DDEVTYPE_REF);
  EXPECT_EQ(settings.BehaviorFlags, DWORD(D3DCREATE_HARDWARE_VERTEXPROCESSING));
  EXPECT_EQ(settings.pp.BackBufferWidth, 64u);
  EXPECT_THAT(Only({"modify"}), ElementsAre("modify ref"));

  log.clear();
  Run({"-quitafterframe:1"});
  EXPECT_FALSE(windowed);
  EXPECT_EQ(Only({"created"}), std::vector<std::string>{"created 1024x768"});
  EXPECT_EQ(settings.BehaviorFlags, DWORD(D3DCREATE_SOFTWARE_VERTEXPROCESSING)) << "the game's again";
}

TEST_F(FrameworkTest, F2SettingsDialogSwitchesToFullScreenAndKeepsItsClicksFromTheGame) {
  // 320 × 240: the dialog's 240 × 150 panel starts at (40, 45); its mode
  // button at (60, 65), OK at (60, 149).
  std::vector<bool> windowed;
  frameScript = [&](int frame) {
    windowed.push_back(DXUTIsWindowed());
    if (frame == 1) {
      PushKey(SDLK_F2, true);
      PushKey(SDLK_F2, false);
    }
    if (frame == 2) {
      PushButton(SDL_BUTTON_LEFT, true, 100, 75);  // windowed → full screen
      PushButton(SDL_BUTTON_LEFT, false, 100, 75);
      PushButton(SDL_BUTTON_LEFT, true, 80, 160);  // OK
      PushButton(SDL_BUTTON_LEFT, false, 80, 160);
    }
    if (frame == 3) Close();
  };
  Run(kSmall);
  EXPECT_THAT(windowed, ElementsAre(true, true, false));
  EXPECT_THAT(Only(kDevice), ElementsAre("modify hal", "created 320x240", "reset 320x240", "lost",
                                         "reset 320x240", "lost", "destroyed"));
  EXPECT_TRUE(Only({"msg 0201", "msg 0202"}).empty()) << "the dialog took the clicks";
  EXPECT_THAT(Only({"key 113"}), ElementsAre("key 113 down", "key 113 up"));
}
