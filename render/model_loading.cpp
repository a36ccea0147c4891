#include "render/model_loading.h"

#include <cstring>
#include <string>

#include "files/widen_text.h"
#include "world/object_model.h"

namespace {

HRESULT LoadIntoObject(const WCHAR* file, IDirect3DDevice9* device, GameObject* object,
                       MeshHierarchy* allocator) {
  D3DXFRAME* root = nullptr;
  HRESULT hr = D3DXLoadMeshHierarchyFromXW(file, D3DXMESH_MANAGED, device, allocator, nullptr,
                                           &root, &object->animationController);
  object->frameRoot = static_cast<ModelFrame*>(root);
  if (FAILED(hr)) return hr;
  hr = LinkBoneMatrices(object->frameRoot, object->frameRoot);
  if (FAILED(hr)) return hr;
  D3DXVECTOR3 center;
  float radius;
  hr = D3DXFrameCalculateBoundingSphere(object->frameRoot, &center, &radius);
  if (FAILED(hr)) return hr;
  object->meshLoaded = 1;
  return S_OK;
}

}  // namespace

void FreeObjectModel(GameObject* object) {
  if (object->frameRoot) {
    MeshHierarchy allocator;
    D3DXFrameDestroy(object->frameRoot, &allocator);
    object->frameRoot = nullptr;
  }
  if (object->animationController) {
    object->animationController->Release();
    object->animationController = nullptr;
  }
}

HRESULT LoadObjectMesh(const char* file, IDirect3DDevice9* device, GameObject* object,
                       MeshHierarchy* allocator) {
  // Whatever holds a model from here on is freed with its object.
  DestroyObjectModel = FreeObjectModel;
  // A name that does not fit the wide buffer names no file we could open.
  if (std::strlen(file) >= MAX_PATH) return E_FAIL;
  WCHAR wide[MAX_PATH];
  WidenText(wide, file);

  // Symbolic links make "../.." a different folder; go back to exactly the
  // one we left.
  std::u16string game(GetCurrentDirectoryW(0, nullptr), u'\0');
  if (game.empty() || GetCurrentDirectoryW(DWORD(game.size()), game.data()) + 1 != game.size())
    return E_FAIL;
  // Without the folder the game's folder stays current.
  BOOL entered = SetCurrentDirectoryW(u"res/images");
  HRESULT hr;
  try {
    hr = LoadIntoObject(wide, device, object, allocator);
  } catch (...) {
    FreeObjectModel(object);
    object->meshLoaded = 0;
    hr = S_OK;
  }
  if (entered) SetCurrentDirectoryW(game.c_str());
  return hr;
}
