// The one adapter: its display format, the formats its textures take, and
// what its devices can do.
#include "platform/d3d9/gl_api.h"
#include "platform/d3d9/gl_device.h"
#include "platform/d3d9/gl_vertex_blend.h"

namespace {

bool IsColorFormat(D3DFORMAT f) { return f == D3DFMT_X8R8G8B8 || f == D3DFMT_A8R8G8B8; }

class GLDirect3D9 final : public IDirect3D9 {
 public:
  HRESULT CheckDeviceFormat(UINT adapter, D3DDEVTYPE deviceType, D3DFORMAT adapterFormat,
                            DWORD usage, D3DRESOURCETYPE type, D3DFORMAT checkFormat) override {
    if (adapter != D3DADAPTER_DEFAULT ||
        (deviceType != D3DDEVTYPE_HAL && deviceType != D3DDEVTYPE_REF))
      return D3DERR_INVALIDCALL;
    // The display is 32-bit colour; textures and surfaces of either 32-bit
    // format can be drawn, blended into and read.
    if (adapterFormat != D3DFMT_X8R8G8B8) return D3DERR_NOTAVAILABLE;
    const DWORD known = D3DUSAGE_QUERY_POSTPIXELSHADER_BLENDING | D3DUSAGE_SOFTWAREPROCESSING |
                        D3DUSAGE_WRITEONLY;
    if ((usage & ~known) != 0) return D3DERR_NOTAVAILABLE;
    if ((type != D3DRTYPE_TEXTURE && type != D3DRTYPE_SURFACE) || !IsColorFormat(checkFormat))
      return D3DERR_NOTAVAILABLE;
    return D3D_OK;
  }

 private:
  ~GLDirect3D9() override = default;
};

}  // namespace

IDirect3D9* CreateGLDirect3D9() { return new GLDirect3D9(); }

void GetGLDeviceCaps(D3DDEVTYPE type, D3DCAPS9* caps) {
  *caps = D3DCAPS9{};
  caps->DeviceType = type;
  caps->AdapterOrdinal = D3DADAPTER_DEFAULT;
  // Transform and lighting run in OpenGL. The device reports what a
  // hardware device of its class reports, so that a game choosing its vertex
  // processing by these takes the hardware branch; it runs no shaders.
  caps->DevCaps = D3DDEVCAPS_HWTRANSFORMANDLIGHT;
  caps->MaxActiveLights = 8;
  caps->MaxVertexBlendMatrices = kHardwareBlendMatrices;
  caps->MaxVertexBlendMatrixIndex = 0;
  GLint size = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);  // stays 0 without a context
  caps->MaxTextureWidth = caps->MaxTextureHeight = size > 0 ? DWORD(size) : 4096;
  caps->VertexShaderVersion = D3DVS_VERSION(1, 1);
  caps->PixelShaderVersion = 0;
}
