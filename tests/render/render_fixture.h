// A recording device and hand-made meshes and skins for the model tests.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/model.h"
#include "tests/mesh/mesh_helpers.h"

// A recording device whose vertex buffers fail from the `failFrom`th on.
class FailingDevice : public RecordingDevice {
 public:
  HRESULT CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                             IDirect3DVertexBuffer9** buffer, HANDLE* shared) override {
    if (++made >= failFrom) {
      *buffer = nullptr;
      return D3DERR_OUTOFVIDEOMEMORY;
    }
    return RecordingDevice::CreateVertexBuffer(length, usage, fvf, pool, buffer, shared);
  }
  int made = 0;
  int failFrom = 1 << 30;
};

class RenderTest : public ::testing::Test {
 protected:
  void TearDown() override {
    for (IUnknown* object : held) object->Release();
    EXPECT_EQ(RefCount(device), 1u) << "something still holds the device";
    device->Release();
  }

  // Keeps `object` until the test ends.
  template <typename T>
  T* Hold(T* object) {
    held.push_back(object);
    return object;
  }

  // Vertex i at (i, i % 2, 0); three vertices per face in order.
  ID3DXMesh* Triangles(DWORD faces, const std::vector<DWORD>& attributes, DWORD fvf = VertexFvf) {
    ID3DXMesh* mesh = nullptr;
    EXPECT_EQ(D3DXCreateMeshFVF(faces, faces * 3, D3DXMESH_MANAGED, fvf, device, &mesh), S_OK);
    void* data;
    mesh->LockVertexBuffer(0, &data);
    for (DWORD v = 0; v < faces * 3; ++v) {
      float position[3] = {float(v), float(v % 2), 0};
      std::memcpy(static_cast<BYTE*>(data) + v * mesh->GetNumBytesPerVertex(), position, 12);
    }
    mesh->UnlockVertexBuffer();
    mesh->LockIndexBuffer(0, &data);
    for (DWORD i = 0; i < faces * 3; ++i) static_cast<WORD*>(data)[i] = WORD(i);
    mesh->UnlockIndexBuffer();
    DWORD* attributeData;
    mesh->LockAttributeBuffer(0, &attributeData);
    for (DWORD f = 0; f < faces; ++f) attributeData[f] = attributes[f];
    mesh->UnlockAttributeBuffer();
    return Hold(mesh);
  }

  // Skin of `vertices` vertices; bone b is named "Bone<b>" and moves the
  // vertices listed for it with weight 1 / (bones on that vertex).
  ID3DXSkinInfo* Skin(DWORD vertices, const std::vector<std::vector<DWORD>>& bones) {
    ID3DXSkinInfo* skin = nullptr;
    EXPECT_EQ(D3DXCreateSkinInfoFVF(vertices, VertexFvf, DWORD(bones.size()), &skin), S_OK);
    std::vector<int> share(vertices, 0);
    for (const auto& list : bones)
      for (DWORD v : list) ++share[v];
    for (DWORD b = 0; b < bones.size(); ++b) {
      std::vector<float> weights;
      for (DWORD v : bones[b]) weights.push_back(1.0f / share[v]);
      skin->SetBoneInfluence(b, DWORD(bones[b].size()), bones[b].data(), weights.data());
      skin->SetBoneName(b, ("Bone" + std::to_string(b)).c_str());
      D3DXMATRIX offset;
      D3DXMatrixTranslation(&offset, 0, -float(b), 0);
      skin->SetBoneOffsetMatrix(b, &offset);
    }
    return Hold(skin);
  }

  FailingDevice* device = new FailingDevice();
  std::vector<IUnknown*> held;
};
