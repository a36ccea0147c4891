// What loading a profile of many maps costs, counted in map names compared.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "files/profile.h"
#include "files/profile_values.h"
#include "tests/files/temp_folder.h"

namespace {

// Saves a profile of `maps` distinct map names and loads it twice into an
// empty list: the first load finds none of its names, the second all of
// them. Each load's count of names compared is given back.
std::pair<u64, u64> ComparisonsToLoad(int maps) {
  TempFolder folder;
  std::strcpy(ProfilePath, folder.File("profile.mnd").c_str());
  MapScoreList = new struct MapScoreList;
  for (int i = 0; i < maps; ++i)
    MapScoreList->Record(("m" + std::to_string(i) + ".mn").c_str(), i % 101);
  SaveProfile();
  delete MapScoreList;
  MapScoreList = new struct MapScoreList;
  const u64 before = MapNameComparisons;
  LoadProfile();
  const u64 first = MapNameComparisons - before;
  LoadProfile();
  const u64 second = MapNameComparisons - before - first;
  EXPECT_EQ(MapScoreList->byName.size(), std::size_t(maps));
  EXPECT_STREQ(MapScoreList->last->name, ("m" + std::to_string(maps - 1) + ".mn").c_str());
  delete MapScoreList;
  MapScoreList = nullptr;
  return {first, second};
}

// A name is found by its own record, not by comparing it with every record
// before it: however many maps, at most one comparison for each.
TEST(MapScoreListLookUps, LoadingAProfileComparesEachNameAboutOnce) {
  for (int maps : {1000, 4000}) {
    const auto [fresh, known] = ComparisonsToLoad(maps);
    EXPECT_LE(fresh, u64(maps)) << maps << " new maps";
    EXPECT_LE(known, u64(maps)) << maps << " maps already known";
  }
}

}  // namespace
