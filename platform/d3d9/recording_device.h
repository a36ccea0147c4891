// A device that draws nothing and keeps every call with its arguments, so
// tests can check what a frame draws without a display. It also keeps the
// state the calls leave (transforms, render states, lights, textures) and
// the memory of its textures and buffers.
#pragma once
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/d3d9/d3d9.h"

struct RecordedCall {
  RecordedCall(std::string name, std::vector<std::int64_t> arguments = {})
      : op(std::move(name)), args(std::move(arguments)) {}
  std::string op;                 // the method's name: "SetTransform", "DrawIndexedPrimitive"...
  std::vector<std::int64_t> args;  // its integer arguments, in order
  D3DMATRIX matrix{};             // SetTransform
  D3DLIGHT9 light{};              // SetLight
  D3DMATERIAL9 material{};        // SetMaterial
  const void* object = nullptr;   // the texture or buffer passed; for draws, the vertex buffer
  const void* indices = nullptr;  // for draws, the index buffer
  std::vector<BYTE> vertices;     // DrawPrimitiveUP: a copy of the vertices drawn
};

class RecordingTexture : public IDirect3DTexture9 {
 public:
  RecordingTexture(UINT width, UINT height);
  HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) override;
  HRESULT LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
  HRESULT UnlockRect(UINT level) override;
  UINT width, height;
  std::vector<DWORD> pixels;  // 0xAARRGGBB, rows top to bottom
  bool locked = false;
};

class RecordingVertexBuffer : public IDirect3DVertexBuffer9 {
 public:
  RecordingVertexBuffer(UINT length, DWORD fvf);
  HRESULT Lock(UINT offset, UINT size, void** data, DWORD flags) override;
  HRESULT Unlock() override;
  UINT GetSize() const override { return static_cast<UINT>(bytes.size()); }
  DWORD fvf;
  std::vector<BYTE> bytes;
  int unlocks = 0;  // how often the contents were handed to the device
};

class RecordingIndexBuffer : public IDirect3DIndexBuffer9 {
 public:
  RecordingIndexBuffer(UINT length, D3DFORMAT format);
  HRESULT Lock(UINT offset, UINT size, void** data, DWORD flags) override;
  HRESULT Unlock() override;
  UINT GetSize() const override { return static_cast<UINT>(bytes.size()); }
  D3DFORMAT GetFormat() const override { return format; }
  D3DFORMAT format;
  std::vector<BYTE> bytes;
};

class RecordingDevice : public IDirect3DDevice9 {
 public:
  RecordingDevice();

  // What the calls were; tests may clear it between frames.
  std::vector<RecordedCall> calls;
  // Capabilities that GetDeviceCaps reports; MaxVertexBlendMatrices is 4.
  D3DCAPS9 caps{};
  // A method named here fails with the given result instead of acting.
  std::map<std::string, HRESULT> failures;

  // State left by the calls.
  std::map<DWORD, D3DMATRIX> transforms;
  std::map<DWORD, DWORD> renderStates;
  std::map<DWORD, D3DLIGHT9> lights;
  std::map<DWORD, bool> lightsEnabled;
  D3DMATERIAL9 material{};
  IDirect3DTexture9* texture = nullptr;  // stage 0, not referenced
  BOOL softwareVertexProcessing = FALSE;
  bool inScene = false;

  // Calls of one method, in order.
  std::vector<RecordedCall> CallsOf(const std::string& op) const;

  HRESULT GetDeviceCaps(D3DCAPS9* caps) override;
  HRESULT Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
                DWORD stencil) override;
  HRESULT BeginScene() override;
  HRESULT EndScene() override;
  HRESULT Present(const RECT* source, const RECT* dest, HWND window,
                  const void* dirtyRegion) override;
  HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) override;
  HRESULT GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) override;
  HRESULT SetViewport(const D3DVIEWPORT9* viewport) override;
  HRESULT GetViewport(D3DVIEWPORT9* viewport) override;
  HRESULT SetLight(DWORD index, const D3DLIGHT9* light) override;
  HRESULT LightEnable(DWORD index, BOOL enable) override;
  HRESULT SetMaterial(const D3DMATERIAL9* material) override;
  HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
  HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) override;
  HRESULT SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) override;
  HRESULT SetTexture(DWORD stage, IDirect3DTexture9* texture) override;
  HRESULT SetSoftwareVertexProcessing(BOOL software) override;
  BOOL GetSoftwareVertexProcessing() override { return softwareVertexProcessing; }
  HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                        D3DPOOL pool, IDirect3DTexture9** texture, HANDLE* shared) override;
  HRESULT CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                             IDirect3DVertexBuffer9** buffer, HANDLE* shared) override;
  HRESULT CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                            IDirect3DIndexBuffer9** buffer, HANDLE* shared) override;
  HRESULT SetFVF(DWORD fvf) override;
  HRESULT SetStreamSource(UINT stream, IDirect3DVertexBuffer9* buffer, UINT offset,
                          UINT stride) override;
  HRESULT SetIndices(IDirect3DIndexBuffer9* buffer) override;
  HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE type, INT baseVertexIndex, UINT minVertexIndex,
                               UINT numVertices, UINT startIndex, UINT primCount) override;
  HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primCount, const void* vertices,
                          UINT stride) override;

  DWORD fvf = 0;
  IDirect3DVertexBuffer9* streamSource = nullptr;  // not referenced
  UINT streamStride = 0;
  IDirect3DIndexBuffer9* indexBuffer = nullptr;    // not referenced
  D3DVIEWPORT9 viewport{0, 0, 1024, 768, 0.0f, 1.0f};

 private:
  // Records the call; returns the failure set for it, or 0.
  HRESULT Record(RecordedCall call);
};
