// D3DXLoadMeshHierarchyFromXW: reads the file whole, then builds the frame
// tree through the caller's allocator in file order. Every frame and mesh
// container is linked into the tree the moment it is made, so a failure
// anywhere frees everything made so far with one D3DXFrameDestroy.
//
// The root: a file whose only top-level object is one frame gets that frame
// as its root; any other file (several top-level frames, or top-level
// meshes) gets an unnamed root frame with an identity matrix that holds the
// top-level frames as children and the top-level meshes as its own.
#include <new>
#include <string>
#include <unordered_map>

#include "platform/d3dx9/xfile_loader.h"

#include "platform/d3dx9/anim_controller.h"
#include "platform/d3dx9/model_textures.h"
#include "platform/d3dx9/xfile_mesh_builder.h"
#include "platform/d3dx9/xfile_model.h"
#include "platform/win32/regular_file.h"
#include "platform/win32/wide_text.h"

namespace {

LPCSTR NameOrNull(const std::string& name) { return name.empty() ? nullptr : name.c_str(); }

class HierarchyBuilder {
 public:
  HierarchyBuilder(DWORD options, IDirect3DDevice9* device, ID3DXAllocateHierarchy* allocator)
      : options_(options), device_(device), allocator_(allocator) {}

  // Makes the frame, stores it in *slot, then builds what it holds.
  HRESULT BuildFrame(const std::string& name, const D3DXMATRIX& matrix,
                     const std::vector<XFileNode>& children, D3DXFRAME** slot) {
    D3DXFRAME* frame = nullptr;
    HRESULT hr = allocator_->CreateFrame(NameOrNull(name), &frame);
    if (FAILED(hr)) return hr;
    if (!frame) return E_FAIL;
    frame->TransformationMatrix = matrix;
    frame->pMeshContainer = nullptr;
    frame->pFrameSibling = nullptr;
    frame->pFrameFirstChild = nullptr;
    *slot = frame;

    D3DXFRAME** childSlot = &frame->pFrameFirstChild;
    D3DXMESHCONTAINER** meshSlot = &frame->pMeshContainer;
    for (const XFileNode& node : children) {
      if (node.frame) {
        const XFileFrame& child = *node.frame;
        if (FAILED(hr = BuildFrame(child.name, child.matrix, child.children, childSlot))) return hr;
        childSlot = &(*childSlot)->pFrameSibling;
      } else {
        if (FAILED(hr = BuildMeshContainer(*node.mesh, meshSlot))) return hr;
        if (*meshSlot) meshSlot = &(*meshSlot)->pNextMeshContainer;
      }
    }
    return S_OK;
  }

 private:
  HRESULT BuildMeshContainer(const XFileMesh& mesh, D3DXMESHCONTAINER** slot) {
    XFileMeshPieces pieces;
    HRESULT hr = BuildXFileMesh(mesh, options_, device_, &pieces);
    if (FAILED(hr)) return hr;
    D3DXMESHDATA data{D3DXMESHTYPE_MESH, pieces.mesh};
    D3DXMESHCONTAINER* container = nullptr;
    hr = allocator_->CreateMeshContainer(
        NameOrNull(mesh.name), &data, pieces.materials.empty() ? nullptr : pieces.materials.data(),
        nullptr, static_cast<DWORD>(pieces.materials.size()), pieces.adjacency.data(),
        pieces.skinInfo, &container);
    if (FAILED(hr)) return hr;
    if (container) container->pNextMeshContainer = nullptr;
    *slot = container;
    return hr;
  }

  DWORD options_;
  IDirect3DDevice9* device_;
  ID3DXAllocateHierarchy* allocator_;
};

HRESULT BuildTree(const XFileScene& scene, HierarchyBuilder* builder, D3DXFRAME** root) {
  const std::vector<XFileNode>& top = scene.topLevel;
  if (top.empty()) return E_FAIL;
  if (top.size() == 1 && top[0].frame) {
    const XFileFrame& only = *top[0].frame;
    return builder->BuildFrame(only.name, only.matrix, only.children, root);
  }
  D3DXMATRIX identity;
  D3DXMatrixIdentity(&identity);
  return builder->BuildFrame({}, identity, top, root);
}

// The first animation set, for the frames it names that the tree has; null
// when it moves none.
HRESULT BuildController(XFileScene& scene, D3DXFRAME* root, ID3DXAnimationController** controller) {
  std::vector<AnimationTrack> tracks;
  // Each name is searched for once: a file may name one frame many times.
  std::unordered_map<std::string, D3DXFRAME*> frames;
  for (XFileAnimation& animation : scene.firstAnimationSet) {
    auto [known, added] = frames.try_emplace(animation.frameName, nullptr);
    if (added) known->second = D3DXFrameFind(root, animation.frameName.c_str());
    D3DXFRAME* frame = known->second;
    const AnimationKeys& keys = animation.keys;
    bool keyed = !keys.rotations.empty() || !keys.scales.empty() || !keys.positions.empty() ||
                 !keys.matrices.empty();
    if (frame && keyed) tracks.push_back({frame, frame->TransformationMatrix, std::move(animation.keys)});
  }
  if (tracks.empty()) return S_OK;
  return CreateKeyframeAnimationController(std::move(tracks), scene.ticksPerSecond, controller);
}

}  // namespace

HRESULT D3DXLoadMeshHierarchyFromXW(LPCWSTR filename, DWORD meshOptions, IDirect3DDevice9* device,
                                    ID3DXAllocateHierarchy* allocator, ID3DXLoadUserData*,
                                    D3DXFRAME** frameRoot,
                                    ID3DXAnimationController** animationController) {
  if (frameRoot) *frameRoot = nullptr;
  if (animationController) *animationController = nullptr;
  if (!filename || !device || !allocator || !frameRoot) return E_INVALIDARG;
  std::string text;
  HRESULT hr = ReadRegularFile(WideToUtf8(filename).c_str(), kMaxXFileBytes, "model", &text);
  if (FAILED(hr)) return hr;
  return LoadMeshHierarchyFromXText(text, meshOptions, device, allocator, frameRoot,
                                    animationController);
}

HRESULT LoadMeshHierarchyFromXText(std::string_view text, DWORD meshOptions,
                                   IDirect3DDevice9* device, ID3DXAllocateHierarchy* allocator,
                                   D3DXFRAME** frameRoot,
                                   ID3DXAnimationController** animationController) {
  if (frameRoot) *frameRoot = nullptr;
  if (animationController) *animationController = nullptr;
  if (!device || !allocator || !frameRoot) return E_INVALIDARG;
  D3DXFRAME* root = nullptr;
  ID3DXAnimationController* controller = nullptr;
  HRESULT hr;
  try {
    XFileScene scene;
    hr = ParseXFile(text, &scene);
    ModelTextures textures(scene.memoryLeft);
    HierarchyBuilder builder(meshOptions, device, allocator);
    if (SUCCEEDED(hr)) hr = BuildTree(scene, &builder, &root);
    if (SUCCEEDED(hr) && animationController) hr = BuildController(scene, root, &controller);
  } catch (const std::bad_alloc&) {
    hr = E_OUTOFMEMORY;
  } catch (...) {  // thrown by the allocator: it is the caller's to catch
    if (root) D3DXFrameDestroy(root, allocator);
    throw;
  }
  if (FAILED(hr)) {
    if (root) D3DXFrameDestroy(root, allocator);
    return hr;
  }
  *frameRoot = root;
  if (animationController) *animationController = controller;
  return S_OK;
}
