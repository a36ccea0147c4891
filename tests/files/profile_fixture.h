// Every profile test starts from the values the game has at start-up, with
// ProfilePath inside a fresh folder.
#pragma once
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "files/profile.h"
#include "files/profile_values.h"
#include "files/scrambling.h"
#include "tests/files/temp_folder.h"

class ProfileTest : public testing::Test {
 protected:
  TempFolder folder;
  std::string path = folder.File("profile.mnd");

  void SetUp() override {
    ResetValues();
    SetProfilePath(path);
  }
  void TearDown() override {
    delete MapScoreList;
    MapScoreList = nullptr;
  }

  static void ResetValues() {
    delete MapScoreList;
    MapScoreList = new struct MapScoreList;
    HighScore = 0;
    SavedLevel[0] = '\0';
    LevelToLoad[0] = '\0';
    MusicMuted = 0;
  }

  static void SetProfilePath(const std::string& profile) {
    ASSERT_LT(profile.size(), sizeof ProfilePath);
    std::strcpy(ProfilePath, profile.c_str());
  }

  static void SetSavedLevel(const char* name) { std::strcpy(SavedLevel, name); }

  // Writes plain lines scrambled, each followed by lineEnd.
  void WriteProfile(const std::vector<std::string>& lines, const std::string& lineEnd = "\n") {
    std::string bytes;
    for (std::string line : lines) {
      ScrambleText(line.data());
      bytes += line + lineEnd;
    }
    WriteWholeFile(path, bytes);
  }

  // The saved profile's lines, unscrambled.
  std::vector<std::string> ReadProfile() const {
    std::vector<std::string> lines;
    std::string bytes = ReadWholeFile(path);
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find('\n', start)) != std::string::npos; start = end + 1) {
      std::string line = bytes.substr(start, end - start);
      UnscrambleText(line.data());
      lines.push_back(line);
    }
    EXPECT_EQ(start, bytes.size()) << "the last line has no newline";
    return lines;
  }

  static std::vector<std::pair<std::string, i32>> Scores() {
    std::vector<std::pair<std::string, i32>> records;
    for (const MapScore* r = MapScoreList->first; r != nullptr; r = r->next) {
      records.emplace_back(r->name, r->score);
    }
    return records;
  }
};

using ScoreRecords = std::vector<std::pair<std::string, i32>>;
using TextLines = std::vector<std::string>;
