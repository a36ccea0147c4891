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

  // One triangle per attribute given, vertex i at (i, i % 2, 0); held until the
  // test ends.
  ID3DXMesh* Triangles(const std::vector<DWORD>& attributes) {
    std::vector<Vertex> vertices;
    std::vector<WORD> indices;
    for (WORD v = 0; v < attributes.size() * 3; ++v) {
      vertices.push_back({float(v), float(v % 2), 0, 0, 0, 0, 0, 0});
      indices.push_back(v);
    }
    ID3DXMesh* mesh = MakeMesh(device, vertices, indices, attributes);
    EXPECT_NE(mesh, nullptr);
    held.push_back(mesh);
    return mesh;
  }

  // Skin of `vertices` vertices; bone b is named "Bone<b>" and moves the
  // vertices listed for it. Held until the test ends.
  ID3DXSkinInfo* Skin(DWORD vertices, const std::vector<std::vector<DWORD>>& bones) {
    ID3DXSkinInfo* skin = nullptr;
    EXPECT_EQ(D3DXCreateSkinInfoFVF(vertices, VertexFvf, DWORD(bones.size()), &skin), S_OK);
    for (DWORD b = 0; b < bones.size(); ++b) {
      std::vector<float> weights(bones[b].size(), 1.0f);
      skin->SetBoneInfluence(b, DWORD(bones[b].size()), bones[b].data(), weights.data());
      skin->SetBoneName(b, ("Bone" + std::to_string(b)).c_str());
    }
    held.push_back(skin);
    return skin;
  }

  FailingDevice* device = new FailingDevice();
  std::vector<IUnknown*> held;
};
