#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/dxut/media_search.h"
#include "tests/files/temp_folder.h"

namespace fs = std::filesystem;

TEST(MediaSearch, CurrentFolderThenParentsThenThePlainName) {
  fs::path start = fs::current_path();
  TempFolder folder;
  const fs::path& root = folder.path;
  fs::create_directories(root / "res/images");
  std::ofstream(root / "res/images/here.png") << "x";
  std::ofstream(root / "res/above.png") << "x";
  fs::current_path(root / "res/images");

  WCHAR path[MAX_PATH];
  EXPECT_EQ(DXUTFindDXSDKMediaFileCch(path, MAX_PATH, u"here.png"), S_OK);
  EXPECT_EQ(std::u16string(path), u"here.png");
  EXPECT_EQ(DXUTFindDXSDKMediaFileCch(path, MAX_PATH, u"above.png"), S_OK);
  EXPECT_EQ(std::u16string(path), u"../above.png");
  EXPECT_LT(DXUTFindDXSDKMediaFileCch(path, MAX_PATH, u"nowhere.png"), 0);
  EXPECT_EQ(std::u16string(path), u"nowhere.png");
  EXPECT_EQ(DXUTFindDXSDKMediaFileCch(path, 5, u"here.png"), E_INVALIDARG);  // too small

  fs::current_path(start);
}
