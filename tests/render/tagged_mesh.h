// A mesh that draws nothing and writes each draw into a recording device's
// call list, so tests can tell which mesh drew which subset.
#pragma once
#include "platform/d3d9/recording_device.h"
#include "platform/d3dx9/d3dx9mesh.h"

// A mesh whose draws are written into the device's call list as
// "DrawSubset" (subset, mesh tag).
class TaggedMesh final : public ID3DXMesh {
 public:
  TaggedMesh(RecordingDevice* device, int tag) : device_(device), tag_(tag) {}
  HRESULT DrawSubset(DWORD subset) override {
    device_->calls.push_back({"DrawSubset", {subset, tag_}});
    return S_OK;
  }
  DWORD GetNumFaces() override { return 0; }
  DWORD GetNumVertices() override { return 0; }
  DWORD GetFVF() override { return 0; }
  DWORD GetNumBytesPerVertex() override { return 0; }
  DWORD GetOptions() override { return 0; }
  HRESULT GetDevice(IDirect3DDevice9**) override { return E_FAIL; }
  HRESULT CloneMeshFVF(DWORD, DWORD, IDirect3DDevice9*, ID3DXMesh**) override { return E_FAIL; }
  HRESULT LockVertexBuffer(DWORD, void**) override { return E_FAIL; }
  HRESULT UnlockVertexBuffer() override { return E_FAIL; }
  HRESULT LockIndexBuffer(DWORD, void**) override { return E_FAIL; }
  HRESULT UnlockIndexBuffer() override { return E_FAIL; }
  HRESULT LockAttributeBuffer(DWORD, DWORD**) override { return E_FAIL; }
  HRESULT UnlockAttributeBuffer() override { return E_FAIL; }

 private:
  RecordingDevice* device_;
  int tag_;
};
