// What a text .x file describes, as read and before anything is built from
// it: the frame tree with its meshes, and the animation to play.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/d3dx9/anim_keys.h"
#include "platform/d3dx9/d3dx9mesh.h"

struct XFileMaterial {
  D3DCOLORVALUE faceColor;
  float power;
  D3DCOLORVALUE specularColor;  // alpha 1
  D3DCOLORVALUE emissiveColor;  // alpha 1
  std::string textureFilename;  // empty: no texture
};

struct XFileSkinWeights {
  std::string boneName;
  std::vector<DWORD> vertices;  // indices into the mesh's positions
  std::vector<float> weights;
  D3DXMATRIX offset;
};

// Faces are polygons of 3 or more corners, stored flat: faceSizes[i] corners
// of face i follow each other in faceCorners.
struct XFileMesh {
  std::string name;  // empty: no name
  std::vector<D3DXVECTOR3> positions;
  std::vector<DWORD> faceSizes;
  std::vector<DWORD> faceCorners;

  bool hasNormals = false;
  std::vector<D3DXVECTOR3> normals;
  std::vector<DWORD> normalFaceSizes;
  std::vector<DWORD> normalFaceCorners;

  bool hasTextureCoords = false;
  std::vector<D3DXVECTOR2> textureCoords;  // one per position

  DWORD materialCount = 0;
  std::vector<DWORD> faceMaterials;  // may be shorter than the face list
  std::vector<XFileMaterial> materials;

  std::vector<XFileSkinWeights> skinWeights;
};

struct XFileFrame;

// A child of a frame (or of the file): a frame or a mesh, in file order.
struct XFileNode {
  std::unique_ptr<XFileFrame> frame;
  std::unique_ptr<XFileMesh> mesh;
};

struct XFileFrame {
  std::string name;  // empty: no name
  D3DXMATRIX matrix;
  std::vector<XFileNode> children;
};

struct XFileAnimation {
  std::string frameName;
  AnimationKeys keys;
};

struct XFileScene {
  std::vector<XFileNode> topLevel;
  std::vector<XFileAnimation> firstAnimationSet;
  DWORD ticksPerSecond = 4800;
  std::size_t memoryLeft = 0;  // of the file's budget, once its meshes are paid for
};

// Limits that keep a hostile file from exhausting the stack, or the memory
// of loading beyond about ten times the file and 8 MB: a mesh or a triangle
// costs far more once built than the few bytes that can write it, and a
// texture's pixels far more than its file, so a model may hold only what its
// size pays for, with 8 MB however small it is (the game's own models use
// under an eighth of that). Textures are paid for as they are decoded.
constexpr int kMaxXFileNesting = 128;
constexpr std::size_t kMaxXFileFrames = 8192;
constexpr std::size_t kMaxXFileBytes = 16u << 20;
constexpr std::size_t kXFileMeshCost = 2048;
constexpr std::size_t kXFileTriangleCost = 64;
constexpr std::size_t XFileMemoryBudget(std::size_t fileBytes) { return 8 * fileBytes + (8u << 20); }

// Reads the text of a whole .x file. E_NOTIMPL for a binary or compressed
// file, E_FAIL for anything malformed, E_OUTOFMEMORY.
HRESULT ParseXFile(std::string_view text, XFileScene* scene);
