#include <algorithm>

#include "platform/d3d9/gl_device_impl.h"
#include "platform/d3d9/gl_math.h"

GLDevice::GLDevice(SDL_Window* window, D3DDEVTYPE type)
    : window_(window), type_(type), backBuffer_(window) {
  glGenBuffers(1, &streamBuffer_);
}

GLDevice::~GLDevice() {
  if (texture_) texture_->Release();
  if (stream_) stream_->Release();
  if (indices_) indices_->Release();
  if (streamBuffer_) glDeleteBuffers(1, &streamBuffer_);
}

HRESULT GLDevice::Reset(UINT width, UINT height) {
  if (width == 0 || height == 0 || inScene_) return D3DERR_INVALIDCALL;
  if (!backBuffer_.Create(width, height)) return D3DERR_NOTAVAILABLE;
  SetDefaultStates();
  return D3D_OK;
}

void GLDevice::SetDefaultStates() {
  for (auto& m : world_) m = IdentityMatrix();
  view_ = projection_ = IdentityMatrix();
  viewport_ = {0, 0, backBuffer_.width(), backBuffer_.height(), 0.0f, 1.0f};
  glViewport_ = GLViewport::kUnknown;
  lights_.clear();
  activeLights_.clear();
  material_ = D3DMATERIAL9{};
  SetTexture(0, nullptr);
  SetStreamSource(0, nullptr, 0, 0);
  SetIndices(nullptr);
  fvf_ = 0;
  softwareVertexProcessing_ = FALSE;
  transformGen_ += 1;
  lightGen_ += 1;
  materialGen_ += 1;
  screenGen_ += 1;

  std::fill(std::begin(renderStates_), std::end(renderStates_), 0);
  static const std::pair<D3DRENDERSTATETYPE, DWORD> kDefaults[] = {
      {D3DRS_ZENABLE, D3DZB_TRUE},       {D3DRS_FILLMODE, D3DFILL_SOLID},
      {D3DRS_SHADEMODE, 2},              {D3DRS_ZWRITEENABLE, TRUE},
      {D3DRS_ALPHATESTENABLE, FALSE},    {D3DRS_SRCBLEND, D3DBLEND_ONE},
      {D3DRS_DESTBLEND, D3DBLEND_ZERO},  {D3DRS_CULLMODE, D3DCULL_CCW},
      {D3DRS_ZFUNC, 4 /* less or equal */},
      {D3DRENDERSTATETYPE(24) /* alpha reference */, 0},
      {D3DRENDERSTATETYPE(25) /* alpha function */, 8 /* always */},
      {D3DRS_DITHERENABLE, FALSE},       {D3DRS_ALPHABLENDENABLE, FALSE},
      {D3DRS_FOGENABLE, FALSE},          {D3DRS_SPECULARENABLE, FALSE},
      {D3DRS_LIGHTING, TRUE},            {D3DRS_AMBIENT, 0},
      {D3DRS_COLORVERTEX, TRUE},         {D3DRS_NORMALIZENORMALS, FALSE},
      {D3DRS_VERTEXBLEND, D3DVBF_DISABLE},
  };
  for (const auto& [state, value] : kDefaults) SetRenderState(state, value);

  std::fill(std::begin(samplerStates_), std::end(samplerStates_), 0);
  samplerStates_[D3DSAMP_ADDRESSU] = 1;  // wrap
  samplerStates_[D3DSAMP_ADDRESSV] = 1;
  samplerStates_[D3DSAMP_MAGFILTER] = D3DTEXF_POINT;
  samplerStates_[D3DSAMP_MINFILTER] = D3DTEXF_POINT;
  samplerStates_[D3DSAMP_MIPFILTER] = D3DTEXF_NONE;

  backBuffer_.Bind();
  glFrontFace(GL_CW);  // clockwise faces are the front ones
  glDisable(GL_SCISSOR_TEST);
  glActiveTexture(GL_TEXTURE0);
}

HRESULT GLDevice::GetDeviceCaps(D3DCAPS9* caps) {
  if (!caps) return D3DERR_INVALIDCALL;
  GetGLDeviceCaps(type_, caps);
  return D3D_OK;
}

HRESULT GLDevice::Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
                        DWORD stencil) {
  if ((count > 0 && !rects) || !(flags & (D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL)))
    return D3DERR_INVALIDCALL;
  GLbitfield mask = 0;
  if (flags & D3DCLEAR_TARGET) {
    const D3DCOLORVALUE c = ColorValue(color);
    glClearColor(c.r, c.g, c.b, c.a);
    mask |= GL_COLOR_BUFFER_BIT;
  }
  if (flags & D3DCLEAR_ZBUFFER) {
    glClearDepth(std::clamp(z, 0.0f, 1.0f));
    glDepthMask(GL_TRUE);  // a clear writes depth whatever the write state
    mask |= GL_DEPTH_BUFFER_BIT;
  }
  if (flags & D3DCLEAR_STENCIL) {
    glClearStencil(GLint(stencil));
    mask |= GL_STENCIL_BUFFER_BIT;
  }
  // A clear covers the viewport, or the given rectangles inside it.
  const LONG vx1 = LONG(viewport_.X), vy1 = LONG(viewport_.Y);
  const LONG vx2 = vx1 + LONG(viewport_.Width), vy2 = vy1 + LONG(viewport_.Height);
  const LONG height = LONG(backBuffer_.height());
  glEnable(GL_SCISSOR_TEST);
  const D3DRECT whole{vx1, vy1, vx2, vy2};
  const DWORD n = count ? count : 1;
  for (DWORD i = 0; i < n; ++i) {
    const D3DRECT& r = count ? rects[i] : whole;
    const LONG x1 = std::max(r.x1, vx1), y1 = std::max(r.y1, vy1);
    const LONG x2 = std::min(r.x2, vx2), y2 = std::min(r.y2, vy2);
    if (x1 >= x2 || y1 >= y2) continue;
    glScissor(x1, height - y2, x2 - x1, y2 - y1);
    glClear(mask);
  }
  glDisable(GL_SCISSOR_TEST);
  glDepthMask(renderStates_[D3DRS_ZWRITEENABLE] ? GL_TRUE : GL_FALSE);
  return D3D_OK;
}

HRESULT GLDevice::BeginScene() {
  if (inScene_) return D3DERR_INVALIDCALL;
  inScene_ = true;
  return D3D_OK;
}

HRESULT GLDevice::EndScene() {
  if (!inScene_) return D3DERR_INVALIDCALL;
  inScene_ = false;
  return D3D_OK;
}

HRESULT GLDevice::Present(const RECT*, const RECT*, HWND, const void*) {
  if (inScene_) return D3DERR_INVALIDCALL;
  backBuffer_.Present();
  return D3D_OK;
}

HRESULT GLDevice::SetSoftwareVertexProcessing(BOOL software) {
  softwareVertexProcessing_ = software ? TRUE : FALSE;
  return D3D_OK;
}

HRESULT GLDevice::CreateTexture(UINT width, UINT height, UINT levels, DWORD, D3DFORMAT format,
                                D3DPOOL, IDirect3DTexture9** texture, HANDLE*) {
  if (!texture) return D3DERR_INVALIDCALL;
  *texture = nullptr;
  D3DCAPS9 caps;
  GetDeviceCaps(&caps);
  if (width == 0 || height == 0 || width > caps.MaxTextureWidth || height > caps.MaxTextureHeight ||
      levels > 1 || (format != D3DFMT_A8R8G8B8 && format != D3DFMT_X8R8G8B8))
    return D3DERR_INVALIDCALL;
  *texture = new GLTexture(width, height, format, textureImages_);
  return D3D_OK;
}

HRESULT GLDevice::CreateVertexBuffer(UINT length, DWORD, DWORD, D3DPOOL,
                                     IDirect3DVertexBuffer9** buffer, HANDLE*) {
  if (!buffer || length == 0) return D3DERR_INVALIDCALL;
  *buffer = new GLVertexBuffer(length);
  return D3D_OK;
}

HRESULT GLDevice::CreateIndexBuffer(UINT length, DWORD, D3DFORMAT format, D3DPOOL,
                                    IDirect3DIndexBuffer9** buffer, HANDLE*) {
  if (!buffer || length == 0 || (format != D3DFMT_INDEX16 && format != D3DFMT_INDEX32))
    return D3DERR_INVALIDCALL;
  *buffer = new GLIndexBuffer(length, format);
  return D3D_OK;
}

HRESULT GLDevice::SetFVF(DWORD fvf) {
  fvf_ = fvf;
  return D3D_OK;
}

HRESULT GLDevice::SetStreamSource(UINT stream, IDirect3DVertexBuffer9* buffer, UINT offset,
                                  UINT stride) {
  if (stream != 0) return D3DERR_INVALIDCALL;
  if (buffer) buffer->AddRef();
  if (stream_) stream_->Release();
  stream_ = static_cast<GLVertexBuffer*>(buffer);
  streamOffset_ = offset;
  streamStride_ = stride;
  return D3D_OK;
}

HRESULT GLDevice::SetIndices(IDirect3DIndexBuffer9* buffer) {
  if (buffer) buffer->AddRef();
  if (indices_) indices_->Release();
  indices_ = static_cast<GLIndexBuffer*>(buffer);
  return D3D_OK;
}
