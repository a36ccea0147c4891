// Runs the framework in this process with callbacks that write what reaches
// them into a log, and a script that acts during chosen frames.
#pragma once
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/dxut/dxut.h"

class FrameworkTest : public ::testing::Test {
 public:
  void SetUp() override;
  void TearDown() override;

  // Runs WinMain's steps with these command-line arguments; frameScript
  // runs at the end of each frame render with the frame's number (from 1).
  // Returns the framework's exit code.
  int Run(std::vector<std::string> args);

  // Events as SDL would queue them.
  static void PushKey(SDL_Keycode key, bool down, Uint16 mod = KMOD_NONE, bool repeat = false);
  static void PushButton(Uint8 button, bool down, int x, int y, int clicks = 1);
  // Log lines that start with one of the given prefixes.
  std::vector<std::string> Only(const std::vector<std::string>& prefixes) const;

  static std::vector<std::string> log;
  static std::function<void(int frame)> frameScript;
  static std::function<bool(UINT message, WPARAM wParam)> stopMessage;
  static bool failCreated;
  static bool acceptNone;
  int frames = 0;
};
