// Every model the game ships loads through the .x reader: frames, meshes
// with their materials and textures named, and the sky's skin and turn.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/xfile/xfile_fixture.h"

namespace {

using ModelsLoad = XFileTest;

std::string ModelPath(const char* name) { return std::string("res/images/") + name; }

// The number of meshes under frame; every texture they name must exist.
int CheckMeshes(const D3DXFRAME* frame) {
  if (!frame) return 0;
  int count = 0;
  for (const D3DXMESHCONTAINER* piece = frame->pMeshContainer; piece; piece = piece->pNextMeshContainer, ++count) {
    for (const std::string& texture : static_cast<const TestMeshContainer*>(piece)->textureNames) {
      if (!texture.empty()) {
        EXPECT_TRUE(std::filesystem::exists(ModelPath(texture.c_str()))) << texture;
      }
    }
  }
  return count + CheckMeshes(frame->pFrameSibling) + CheckMeshes(frame->pFrameFirstChild);
}

class EveryModel : public ModelsLoad, public ::testing::WithParamInterface<std::string> {};

TEST_P(EveryModel, LoadsWithMeshesAndTextures) {
  ASSERT_EQ(LoadFile(ModelPath(GetParam().c_str())), S_OK);
  ASSERT_NE(root, nullptr);
  EXPECT_GE(CheckMeshes(root), 1);
}

std::vector<std::string> ShippedModels() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator("res/images"))
    if (entry.path().extension() == ".x") names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

INSTANTIATE_TEST_SUITE_P(Shipped, EveryModel, ::testing::ValuesIn(ShippedModels()),
                         [](const auto& info) { return info.param.substr(0, info.param.size() - 2); });

TEST_F(ModelsLoad, SkyIsASkinnedMeshThatTurns) {
  ASSERT_EQ(LoadFile(ModelPath("skybox.x")), S_OK);
  ASSERT_NE(controller, nullptr);
  const D3DXFRAME* bone = D3DXFrameFind(root, "SkyBone");
  ASSERT_NE(bone, nullptr);
  ASSERT_NE(root->pMeshContainer, nullptr);
  ASSERT_NE(root->pMeshContainer->pSkinInfo, nullptr);
  EXPECT_EQ(root->pMeshContainer->pSkinInfo->GetNumBones(), 1u);

  // A quarter of the turn later the bone has turned a quarter about y.
  controller->AdvanceTime(60.0, nullptr);
  const D3DXMATRIX& m = bone->TransformationMatrix;
  EXPECT_NEAR(std::abs(m._13), 1.0f, 1e-3f);
  EXPECT_NEAR(m._22, 1.0f, 1e-4f);
}

TEST_F(ModelsLoad, EveryMapHasItsBoard) {
  for (const auto& entry : std::filesystem::directory_iterator("assets/maps")) {
    std::string board = entry.path().stem().string() + ".x";
    EXPECT_TRUE(std::filesystem::exists(ModelPath(board.c_str()))) << board;
  }
}

}  // namespace
