// Shared set-up of the world tests: a stopped framework clock and a current
// Scene that the tests fill object by object.
#pragma once
#include <gtest/gtest.h>

#include "platform/dxut/timer.h"
#include "world/level_clock.h"
#include "world/scene.h"
#include "world/text_copy.h"

inline void SetNowMs(double ms) {
  DXUTGetGlobalTimer()->Stop();
  DXUTGetGlobalTimer()->SetTime(ms / 1000.0);
}

class WorldTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetNowMs(50000.0);
    CurrentScene = new Scene;
  }
  void TearDown() override {
    delete CurrentScene;
    CurrentScene = nullptr;
  }

  Scene& scene() { return *CurrentScene; }

  GameObject* Add(const char* type, f32 length, f32 width, f32 x, f32 z, const char* name = "") {
    EXPECT_TRUE(scene().AddObjectAt(type, length, width, 1.0f, x, 0.0f, z));
    CopyText(scene().lastAdded->name, name);
    return scene().lastAdded;
  }
  GameObject* AddBoard() { return Add("map", 20.0f, 20.0f, -10.0f, 10.0f); }
  GameObject* AddBall(const char* name, f32 x, f32 z) { return Add("ball", 0.8f, 0.8f, x, z, name); }
  GameObject* AddWall(f32 length, f32 width, f32 x, f32 z) { return Add("wall", length, width, x, z); }
};
