// The OpenGL device's class, shared by the files that implement it.
#pragma once
#include <memory>
#include <vector>

#include "platform/d3d9/gl_back_buffer.h"
#include "platform/d3d9/gl_fvf.h"
#include "platform/d3d9/gl_resources.h"
#include "platform/d3d9/gl_shaders.h"
#include "platform/d3d9/gl_vertex_blend.h"

constexpr int kMaxActiveLights = 8;
constexpr int kRenderStateCount = 256;
constexpr int kSamplerStateCount = 14;

class GLDevice final : public IDirect3DDevice9 {
 public:
  GLDevice(SDL_Window* window, D3DDEVTYPE type);
  HRESULT Reset(UINT width, UINT height);
  void ReadBackBuffer(std::vector<DWORD>* pixels) const { backBuffer_.Read(pixels); }
  UINT width() const { return backBuffer_.width(); }
  UINT height() const { return backBuffer_.height(); }

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
  BOOL GetSoftwareVertexProcessing() override { return softwareVertexProcessing_; }
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

 private:
  ~GLDevice() override;
  struct Light {
    D3DLIGHT9 light;
    bool enabled;
  };

  void SetDefaultStates();
  void ApplyRenderState(D3DRENDERSTATETYPE state, DWORD value);
  void ApplyViewport(bool pretransformed);
  // The program for a draw of `layout`, with every value it reads handed
  // over; null when none can be made. `blended`: positions are in world
  // space already.
  ShaderProgram* PrepareDraw(const FvfLayout& layout, bool blended);
  void UploadTransforms(ShaderProgram* p, bool blended);
  void UploadLights(ShaderProgram* p);
  void UploadMaterial(ShaderProgram* p);
  void BindTexture(GLTexture* texture);
  // Points the attributes at `buffer`, whose first vertex is at `offset`.
  void BindAttributes(GLuint buffer, const FvfLayout& layout, UINT stride, size_t offset,
                      bool skipPositionAndNormal);
  void EnableAttributes(unsigned mask);
  Light& LightAt(DWORD index);

  SDL_Window* window_;
  D3DDEVTYPE type_;
  GLBackBuffer backBuffer_;
  ShaderCache shaders_;
  std::shared_ptr<GLTextureImages> textureImages_ = std::make_shared<GLTextureImages>();

  D3DMATRIX world_[kMaxBlendMatrices], view_, projection_;
  D3DVIEWPORT9 viewport_{};
  std::vector<Light> lights_;
  std::vector<DWORD> activeLights_;  // enabled indices, in the order enabled
  D3DMATERIAL9 material_{};
  DWORD renderStates_[kRenderStateCount] = {};
  DWORD samplerStates_[kSamplerStateCount] = {};
  GLTexture* texture_ = nullptr;
  DWORD fvf_ = 0;
  GLVertexBuffer* stream_ = nullptr;
  UINT streamOffset_ = 0, streamStride_ = 0;
  GLIndexBuffer* indices_ = nullptr;
  bool inScene_ = false;
  BOOL softwareVertexProcessing_ = FALSE;

  // Changes bump a generation; each program keeps the ones it was given.
  unsigned transformGen_ = 1, lightGen_ = 1, materialGen_ = 1, screenGen_ = 1;
  // What OpenGL's viewport holds: not known (after a reset or a new
  // viewport), the device's viewport, or the whole back buffer.
  enum class GLViewport { kUnknown, kDevice, kFull } glViewport_ = GLViewport::kUnknown;
  unsigned enabledAttributes_ = 0;
  GLuint streamBuffer_ = 0;  // per-draw vertices: DrawPrimitiveUP and blending
  std::vector<BlendedVertex> blended_;
};
