// The best time of every map cleared: seconds left when it was cleared.
#pragma once
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/types.h"

// Longest map file name the map reader opens; the profile keeps such names
// whole through a save and a load.
constexpr i32 MapNameMaxLength = 40;

// Map names compared while records are looked up, over every list: what a
// profile of many maps costs to load, which the tests keep linear.
inline u64 MapNameComparisons = 0;

// Whether two map names are the same, counted.
struct SameMapName {
  bool operator()(std::string_view a, std::string_view b) const {
    ++MapNameComparisons;
    return a == b;
  }
};

struct MapScore {
  char name[260];  // map file name as the Scene knows it, such as "map1.mn"
  i32 score;
  MapScore* next;
};

// Records stay in the order their maps were first recorded; names are unique
// and no record is ever removed. The list owns its records.
struct MapScoreList {
  MapScore* first = nullptr;
  MapScore* last = nullptr;
  // Every record by its name, which never changes once recorded.
  std::unordered_map<std::string_view, MapScore*, std::hash<std::string_view>, SameMapName> byName;

  MapScoreList() = default;
  MapScoreList(const MapScoreList&) = delete;
  MapScoreList& operator=(const MapScoreList&) = delete;
  ~MapScoreList();

  // The record whose name equals mapName exactly, or null.
  MapScore* Find(const char* mapName) const;
  // Keeps the larger score of a known map; appends a new map with any score.
  // A name that the profile could not write and read back as the same
  // record (IsStorableMapName) is not recorded.
  void Record(const char* mapName, i32 score);
  // The MapScores block of the profile, one or more lines of
  // "<MapScores><name>score</name>...</MapScores>\n".
  std::string Write() const;
};
