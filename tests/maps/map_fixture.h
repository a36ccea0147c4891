// Loads maps written by a test from a folder of its own, laid out as the
// game's: res/maps for the maps, res/images with the game's models.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "files/map_reader.h"
#include "files/scrambling.h"
#include "platform/d3d9/recording_device.h"
#include "platform/dxut/timer.h"
#include "world/level_clock.h"
#include "world/scene.h"

class MapTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    namespace fs = std::filesystem;
    source_ = fs::current_path();
    folder_ = fs::path(::testing::TempDir()) / ("maps_" + std::to_string(::getpid()));
    fs::create_directories(folder_ / "res" / "maps");
    fs::copy(source_ / "res" / "images", folder_ / "res" / "images",
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  }
  static void TearDownTestSuite() { std::filesystem::remove_all(folder_); }

  void SetUp() override {
    std::filesystem::current_path(folder_);
    DXUTGetGlobalTimer()->Stop();
    DXUTGetGlobalTimer()->SetTime(12.5);
  }
  void TearDown() override {
    delete CurrentScene;
    CurrentScene = nullptr;
    delete CurrentLevelClock;
    CurrentLevelClock = nullptr;
    DataInconsistent = 0;
    device->Release();
    std::filesystem::current_path(source_);
  }

  // Writes the plain lines scrambled, as the game's maps are stored; a
  // carriage return before a newline is part of the line end and stays.
  static void WriteMap(const std::string& name, const std::string& plain) {
    std::string stored;
    std::string line;
    for (char c : plain) {
      if (c == '\n') {
        const bool crlf = !line.empty() && line.back() == '\r';
        if (crlf) line.pop_back();
        ScrambleText(line.data());
        stored += line + (crlf ? "\r\n" : "\n");
        line.clear();
      } else {
        line += c;
      }
    }
    ScrambleText(line.data());
    stored += line;
    std::ofstream(folder_ / "res" / "maps" / name, std::ios::binary) << stored;
  }

  void Load(const char* name) { LoadLevelMap(device, name); }

  // The objects after the three that every level starts with.
  GameObject* Record(int n) const {
    GameObject* o = CurrentScene->firstObject;
    for (int i = 0; i < 3 + n && o; ++i) o = o->next;
    return o;
  }

  int CountObjects() const {
    int n = 0;
    for (GameObject* o = CurrentScene->firstObject; o; o = o->next) ++n;
    return n;
  }

  RecordingDevice* device = new RecordingDevice;
  static inline std::filesystem::path source_;
  static inline std::filesystem::path folder_;
};
