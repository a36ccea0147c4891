#include "platform/d3d9/recording_device.h"

#include <new>

#include "platform/d3d9/primitive_vertices.h"

RecordingTexture::RecordingTexture(UINT w, UINT h) : width(w), height(h), pixels(size_t(w) * h) {}

HRESULT RecordingTexture::GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) {
  if (level != 0 || !desc) return D3DERR_INVALIDCALL;
  *desc = {D3DFMT_A8R8G8B8, D3DRTYPE_TEXTURE, 0, D3DPOOL_MANAGED, width, height};
  return D3D_OK;
}

HRESULT RecordingTexture::LockRect(UINT level, D3DLOCKED_RECT* out, const RECT* rect, DWORD) {
  if (level != 0 || !out || locked) return D3DERR_INVALIDCALL;
  LONG x = rect ? rect->left : 0, y = rect ? rect->top : 0;
  if (x < 0 || y < 0 || UINT(x) > width || UINT(y) > height) return D3DERR_INVALIDCALL;
  out->Pitch = static_cast<INT>(width * sizeof(DWORD));
  out->pBits = pixels.data() + size_t(y) * width + x;
  locked = true;
  return D3D_OK;
}

HRESULT RecordingTexture::UnlockRect(UINT level) {
  if (level != 0 || !locked) return D3DERR_INVALIDCALL;
  locked = false;
  return D3D_OK;
}

RecordingVertexBuffer::RecordingVertexBuffer(UINT length, DWORD f) : fvf(f), bytes(length) {}

HRESULT RecordingVertexBuffer::Lock(UINT offset, UINT, void** data, DWORD) {
  if (!data || offset > bytes.size()) return D3DERR_INVALIDCALL;
  *data = bytes.data() + offset;
  return D3D_OK;
}

HRESULT RecordingVertexBuffer::Unlock() {
  ++unlocks;
  return D3D_OK;
}

RecordingIndexBuffer::RecordingIndexBuffer(UINT length, D3DFORMAT f) : format(f), bytes(length) {}

HRESULT RecordingIndexBuffer::Lock(UINT offset, UINT, void** data, DWORD) {
  if (!data || offset > bytes.size()) return D3DERR_INVALIDCALL;
  *data = bytes.data() + offset;
  return D3D_OK;
}

HRESULT RecordingIndexBuffer::Unlock() { return D3D_OK; }

RecordingDevice::RecordingDevice() {
  caps.DeviceType = D3DDEVTYPE_HAL;
  caps.DevCaps = D3DDEVCAPS_HWTRANSFORMANDLIGHT;
  caps.MaxActiveLights = 8;
  caps.MaxVertexBlendMatrices = 4;
  caps.MaxTextureWidth = caps.MaxTextureHeight = 4096;
  caps.VertexShaderVersion = D3DVS_VERSION(1, 1);
}

std::vector<RecordedCall> RecordingDevice::CallsOf(const std::string& op) const {
  std::vector<RecordedCall> out;
  for (const RecordedCall& c : calls)
    if (c.op == op) out.push_back(c);
  return out;
}

HRESULT RecordingDevice::Record(RecordedCall call) {
  auto failure = failures.find(call.op);
  calls.push_back(std::move(call));
  return failure == failures.end() ? D3D_OK : failure->second;
}

HRESULT RecordingDevice::GetDeviceCaps(D3DCAPS9* out) {
  if (!out) return D3DERR_INVALIDCALL;
  HRESULT hr = Record({"GetDeviceCaps", {}});
  if (FAILED(hr)) return hr;
  *out = caps;
  return D3D_OK;
}

HRESULT RecordingDevice::Clear(DWORD count, const D3DRECT*, DWORD flags, D3DCOLOR color, float z,
                               DWORD stencil) {
  RecordedCall call{"Clear", {count, flags, color, std::int64_t(z * 1000), stencil}};
  return Record(call);
}

HRESULT RecordingDevice::BeginScene() {
  HRESULT hr = Record({"BeginScene", {}});
  if (FAILED(hr)) return hr;
  if (inScene) return D3DERR_INVALIDCALL;
  inScene = true;
  return D3D_OK;
}

HRESULT RecordingDevice::EndScene() {
  HRESULT hr = Record({"EndScene", {}});
  if (FAILED(hr)) return hr;
  if (!inScene) return D3DERR_INVALIDCALL;
  inScene = false;
  return D3D_OK;
}

HRESULT RecordingDevice::Present(const RECT*, const RECT*, HWND, const void*) {
  return Record({"Present", {}});
}

HRESULT RecordingDevice::SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* m) {
  if (!m) return D3DERR_INVALIDCALL;
  RecordedCall call{"SetTransform", {state}};
  call.matrix = *m;
  HRESULT hr = Record(call);
  if (SUCCEEDED(hr)) transforms[state] = *m;
  return hr;
}

HRESULT RecordingDevice::GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* m) {
  if (!m) return D3DERR_INVALIDCALL;
  auto it = transforms.find(state);
  if (it != transforms.end()) {
    *m = it->second;
  } else {
    *m = D3DMATRIX{};
    m->_11 = m->_22 = m->_33 = m->_44 = 1.0f;
  }
  return D3D_OK;
}

HRESULT RecordingDevice::SetViewport(const D3DVIEWPORT9* v) {
  if (!v) return D3DERR_INVALIDCALL;
  HRESULT hr = Record({"SetViewport", {v->X, v->Y, v->Width, v->Height}});
  if (SUCCEEDED(hr)) viewport = *v;
  return hr;
}

HRESULT RecordingDevice::GetViewport(D3DVIEWPORT9* v) {
  if (!v) return D3DERR_INVALIDCALL;
  *v = viewport;
  return D3D_OK;
}

HRESULT RecordingDevice::SetLight(DWORD index, const D3DLIGHT9* light) {
  if (!light) return D3DERR_INVALIDCALL;
  RecordedCall call{"SetLight", {index}};
  call.light = *light;
  HRESULT hr = Record(call);
  if (SUCCEEDED(hr)) lights[index] = *light;
  return hr;
}

HRESULT RecordingDevice::LightEnable(DWORD index, BOOL enable) {
  HRESULT hr = Record({"LightEnable", {index, enable}});
  if (SUCCEEDED(hr)) lightsEnabled[index] = enable != FALSE;
  return hr;
}

HRESULT RecordingDevice::SetMaterial(const D3DMATERIAL9* m) {
  if (!m) return D3DERR_INVALIDCALL;
  RecordedCall call{"SetMaterial", {}};
  call.material = *m;
  HRESULT hr = Record(call);
  if (SUCCEEDED(hr)) material = *m;
  return hr;
}

HRESULT RecordingDevice::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
  HRESULT hr = Record({"SetRenderState", {state, value}});
  if (SUCCEEDED(hr)) renderStates[state] = value;
  return hr;
}

HRESULT RecordingDevice::GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) {
  if (!value) return D3DERR_INVALIDCALL;
  auto it = renderStates.find(state);
  *value = it == renderStates.end() ? 0 : it->second;
  return D3D_OK;
}

HRESULT RecordingDevice::SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) {
  return Record({"SetSamplerState", {sampler, type, value}});
}

HRESULT RecordingDevice::SetTexture(DWORD stage, IDirect3DTexture9* t) {
  RecordedCall call{"SetTexture", {stage}};
  call.object = t;
  HRESULT hr = Record(call);
  if (SUCCEEDED(hr) && stage == 0) texture = t;
  return hr;
}

HRESULT RecordingDevice::SetSoftwareVertexProcessing(BOOL software) {
  HRESULT hr = Record({"SetSoftwareVertexProcessing", {software}});
  if (SUCCEEDED(hr)) softwareVertexProcessing = software;
  return hr;
}

HRESULT RecordingDevice::CreateTexture(UINT width, UINT height, UINT levels, DWORD usage,
                                       D3DFORMAT format, D3DPOOL pool, IDirect3DTexture9** out,
                                       HANDLE*) {
  if (!out) return D3DERR_INVALIDCALL;
  *out = nullptr;
  HRESULT hr = Record({"CreateTexture", {width, height, levels, usage, format, pool}});
  if (FAILED(hr)) return hr;
  if (width == 0 || height == 0 || width > caps.MaxTextureWidth ||
      height > caps.MaxTextureHeight || format != D3DFMT_A8R8G8B8)
    return D3DERR_INVALIDCALL;
  *out = new (std::nothrow) RecordingTexture(width, height);
  return *out ? D3D_OK : E_OUTOFMEMORY;
}

HRESULT RecordingDevice::CreateVertexBuffer(UINT length, DWORD usage, DWORD f, D3DPOOL pool,
                                            IDirect3DVertexBuffer9** out, HANDLE*) {
  if (!out) return D3DERR_INVALIDCALL;
  *out = nullptr;
  HRESULT hr = Record({"CreateVertexBuffer", {length, usage, f, pool}});
  if (FAILED(hr)) return hr;
  if (length == 0) return D3DERR_INVALIDCALL;
  *out = new (std::nothrow) RecordingVertexBuffer(length, f);
  return *out ? D3D_OK : E_OUTOFMEMORY;
}

HRESULT RecordingDevice::CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format,
                                           D3DPOOL pool, IDirect3DIndexBuffer9** out, HANDLE*) {
  if (!out) return D3DERR_INVALIDCALL;
  *out = nullptr;
  HRESULT hr = Record({"CreateIndexBuffer", {length, usage, format, pool}});
  if (FAILED(hr)) return hr;
  if (length == 0 || (format != D3DFMT_INDEX16 && format != D3DFMT_INDEX32))
    return D3DERR_INVALIDCALL;
  *out = new (std::nothrow) RecordingIndexBuffer(length, format);
  return *out ? D3D_OK : E_OUTOFMEMORY;
}

HRESULT RecordingDevice::SetFVF(DWORD f) {
  HRESULT hr = Record({"SetFVF", {f}});
  if (SUCCEEDED(hr)) fvf = f;
  return hr;
}

HRESULT RecordingDevice::SetStreamSource(UINT stream, IDirect3DVertexBuffer9* buffer,
                                         UINT offset, UINT stride) {
  RecordedCall call{"SetStreamSource", {stream, offset, stride}};
  call.object = buffer;
  HRESULT hr = Record(call);
  if (SUCCEEDED(hr) && stream == 0) {
    streamSource = buffer;
    streamStride = stride;
  }
  return hr;
}

HRESULT RecordingDevice::SetIndices(IDirect3DIndexBuffer9* buffer) {
  RecordedCall call{"SetIndices", {}};
  call.object = buffer;
  HRESULT hr = Record(call);
  if (SUCCEEDED(hr)) indexBuffer = buffer;
  return hr;
}

HRESULT RecordingDevice::DrawIndexedPrimitive(D3DPRIMITIVETYPE type, INT base, UINT minIndex,
                                              UINT numVertices, UINT startIndex,
                                              UINT primCount) {
  RecordedCall call{"DrawIndexedPrimitive", {type, base, minIndex, numVertices, startIndex,
                                             primCount}};
  call.object = streamSource;
  call.indices = indexBuffer;
  HRESULT hr = Record(call);
  if (FAILED(hr)) return hr;
  return streamSource && indexBuffer ? D3D_OK : D3DERR_INVALIDCALL;
}

HRESULT RecordingDevice::DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primCount,
                                         const void* vertices, UINT stride) {
  RecordedCall call{"DrawPrimitiveUP", {type, primCount, stride}};
  if (vertices) {
    const BYTE* bytes = static_cast<const BYTE*>(vertices);
    call.vertices.assign(bytes, bytes + size_t(VerticesForPrimitives(type, primCount)) * stride);
  }
  HRESULT hr = Record(call);
  if (FAILED(hr)) return hr;
  return vertices ? D3D_OK : D3DERR_INVALIDCALL;
}
