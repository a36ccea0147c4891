// Transforms, viewport, lights, material, render and sampler states.
#include <cmath>

#include "platform/d3d9/gl_device_impl.h"
#include "platform/d3d9/gl_math.h"

namespace {

GLenum CompareFunction(DWORD d3d) {
  static const GLenum kFunctions[] = {GL_NEVER,   GL_NEVER,    GL_LESS,   GL_EQUAL, GL_LEQUAL,
                                      GL_GREATER, GL_NOTEQUAL, GL_GEQUAL, GL_ALWAYS};
  return d3d < 9 ? kFunctions[d3d] : GL_ALWAYS;
}

GLenum BlendFactor(DWORD d3d) {
  switch (d3d) {
    case 1: return GL_ZERO;
    case 2: return GL_ONE;
    case 3: return GL_SRC_COLOR;
    case 4: return GL_ONE_MINUS_SRC_COLOR;
    case 5: return GL_SRC_ALPHA;
    case 6: return GL_ONE_MINUS_SRC_ALPHA;
    case 7: return GL_DST_ALPHA;
    case 8: return GL_ONE_MINUS_DST_ALPHA;
    case 9: return GL_DST_COLOR;
    case 10: return GL_ONE_MINUS_DST_COLOR;
    case 11: return GL_SRC_ALPHA_SATURATE;
  }
  return GL_ONE;
}

GLint AddressMode(DWORD d3d) {
  switch (d3d) {
    case 2: return GL_MIRRORED_REPEAT;
    case 3:
    case 4: return GL_CLAMP_TO_EDGE;
  }
  return GL_REPEAT;
}

bool IsZero(const D3DVECTOR& v) { return v.x == 0.0f && v.y == 0.0f && v.z == 0.0f; }

}  // namespace

HRESULT GLDevice::SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) {
  if (!matrix) return D3DERR_INVALIDCALL;
  if (state == D3DTS_VIEW) {
    view_ = *matrix;
    lightGen_ += 1;  // lights are kept in view space
  } else if (state == D3DTS_PROJECTION) {
    projection_ = *matrix;
  } else if (state >= D3DTS_WORLD && state < D3DTS_WORLD + kMaxBlendMatrices) {
    world_[state - D3DTS_WORLD] = *matrix;
  } else {
    return D3DERR_INVALIDCALL;
  }
  transformGen_ += 1;
  return D3D_OK;
}

HRESULT GLDevice::GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) {
  if (!matrix) return D3DERR_INVALIDCALL;
  if (state == D3DTS_VIEW) *matrix = view_;
  else if (state == D3DTS_PROJECTION) *matrix = projection_;
  else if (state >= D3DTS_WORLD && state < D3DTS_WORLD + kMaxBlendMatrices)
    *matrix = world_[state - D3DTS_WORLD];
  else return D3DERR_INVALIDCALL;
  return D3D_OK;
}

HRESULT GLDevice::SetViewport(const D3DVIEWPORT9* viewport) {
  if (!viewport || viewport->Width == 0 || viewport->Height == 0 ||
      viewport->X + viewport->Width > backBuffer_.width() ||
      viewport->Y + viewport->Height > backBuffer_.height() || viewport->MinZ < 0.0f ||
      viewport->MaxZ > 1.0f || viewport->MinZ > viewport->MaxZ)
    return D3DERR_INVALIDCALL;
  viewport_ = *viewport;
  glViewport_ = GLViewport::kUnknown;
  return D3D_OK;
}

HRESULT GLDevice::GetViewport(D3DVIEWPORT9* viewport) {
  if (!viewport) return D3DERR_INVALIDCALL;
  *viewport = viewport_;
  return D3D_OK;
}

GLDevice::Light& GLDevice::LightAt(DWORD index) {
  if (index >= lights_.size()) {
    // A light enabled before it was set is white and directional, along +z.
    Light fresh{};
    fresh.light.Type = D3DLIGHT_DIRECTIONAL;
    fresh.light.Diffuse = {1, 1, 1, 0};
    fresh.light.Direction = {0, 0, 1};
    lights_.resize(index + 1, fresh);
  }
  return lights_[index];
}

HRESULT GLDevice::SetLight(DWORD index, const D3DLIGHT9* light) {
  if (!light || index > 0xFFFF) return D3DERR_INVALIDCALL;
  const D3DLIGHT9& l = *light;
  const bool aimed = l.Type == D3DLIGHT_SPOT || l.Type == D3DLIGHT_DIRECTIONAL;
  if (l.Type < D3DLIGHT_POINT || l.Type > D3DLIGHT_DIRECTIONAL || (aimed && IsZero(l.Direction)) ||
      (l.Type != D3DLIGHT_DIRECTIONAL && !(l.Range >= 0.0f)))
    return D3DERR_INVALIDCALL;
  LightAt(index).light = l;
  lightGen_ += 1;
  return D3D_OK;
}

HRESULT GLDevice::LightEnable(DWORD index, BOOL enable) {
  if (index > 0xFFFF) return D3DERR_INVALIDCALL;
  Light& light = LightAt(index);
  if (bool(enable) == light.enabled) return D3D_OK;
  if (enable) {
    if (activeLights_.size() >= kMaxActiveLights) return D3DERR_INVALIDCALL;
    activeLights_.push_back(index);
  } else {
    std::erase(activeLights_, index);
  }
  light.enabled = enable;
  lightGen_ += 1;
  return D3D_OK;
}

HRESULT GLDevice::SetMaterial(const D3DMATERIAL9* material) {
  if (!material) return D3DERR_INVALIDCALL;
  material_ = *material;
  materialGen_ += 1;
  return D3D_OK;
}

HRESULT GLDevice::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
  if (DWORD(state) >= kRenderStateCount) return D3DERR_INVALIDCALL;
  renderStates_[state] = value;
  ApplyRenderState(state, value);
  return D3D_OK;
}

HRESULT GLDevice::GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) {
  if (!value || DWORD(state) >= kRenderStateCount) return D3DERR_INVALIDCALL;
  *value = renderStates_[state];
  return D3D_OK;
}

void GLDevice::ApplyRenderState(D3DRENDERSTATETYPE state, DWORD value) {
  const DWORD* rs = renderStates_;
  switch (DWORD(state)) {
    case D3DRS_ZENABLE:
      value ? glEnable(GL_DEPTH_TEST) : glDisable(GL_DEPTH_TEST);
      break;
    case D3DRS_ZWRITEENABLE:
      glDepthMask(value ? GL_TRUE : GL_FALSE);
      break;
    case D3DRS_ZFUNC:
      glDepthFunc(CompareFunction(value));
      break;
    case D3DRS_FILLMODE:
      glPolygonMode(GL_FRONT_AND_BACK, value == D3DFILL_POINT       ? GL_POINT
                                       : value == D3DFILL_WIREFRAME ? GL_LINE
                                                                    : GL_FILL);
      break;
    case D3DRS_CULLMODE:
      if (value == D3DCULL_CW || value == D3DCULL_CCW) {
        glEnable(GL_CULL_FACE);
        glCullFace(value == D3DCULL_CCW ? GL_BACK : GL_FRONT);
      } else {
        glDisable(GL_CULL_FACE);
      }
      break;
    case D3DRS_DITHERENABLE:
      value ? glEnable(GL_DITHER) : glDisable(GL_DITHER);
      break;
    case D3DRS_ALPHABLENDENABLE:
      value ? glEnable(GL_BLEND) : glDisable(GL_BLEND);
      break;
    case D3DRS_SRCBLEND:
    case D3DRS_DESTBLEND:
      glBlendFunc(BlendFactor(rs[D3DRS_SRCBLEND]), BlendFactor(rs[D3DRS_DESTBLEND]));
      break;
    case D3DRS_ALPHATESTENABLE:
      value ? glEnable(GL_ALPHA_TEST) : glDisable(GL_ALPHA_TEST);
      break;
    case 24:  // alpha reference
    case 25:  // alpha function
      glAlphaFunc(CompareFunction(rs[25]), float(rs[24] & 0xff) / 255.0f);
      break;
    case D3DRS_AMBIENT:
      materialGen_ += 1;
      break;
  }
}

HRESULT GLDevice::SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) {
  if (sampler != 0 || DWORD(type) >= kSamplerStateCount) return D3DERR_INVALIDCALL;
  samplerStates_[type] = value;
  return D3D_OK;
}

HRESULT GLDevice::SetTexture(DWORD stage, IDirect3DTexture9* texture) {
  if (stage != 0) return D3DERR_INVALIDCALL;
  if (texture) texture->AddRef();
  if (texture_) texture_->Release();
  texture_ = static_cast<GLTexture*>(texture);
  return D3D_OK;
}

void GLDevice::BindTexture(GLTexture* texture) {
  GLTextureImage& image = texture->image();
  glBindTexture(GL_TEXTURE_2D, image.name);
  const DWORD wanted[4] = {samplerStates_[D3DSAMP_MINFILTER], samplerStates_[D3DSAMP_MAGFILTER],
                           samplerStates_[D3DSAMP_ADDRESSU], samplerStates_[D3DSAMP_ADDRESSV]};
  DWORD* applied = image.appliedSampler;
  // Level 0 only, so the mip filter plays no part.
  auto filter = [](DWORD d3d) { return d3d == D3DTEXF_POINT ? GL_NEAREST : GL_LINEAR; };
  if (applied[0] != wanted[0])
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter(wanted[0]));
  if (applied[1] != wanted[1])
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter(wanted[1]));
  if (applied[2] != wanted[2])
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, AddressMode(wanted[2]));
  if (applied[3] != wanted[3])
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, AddressMode(wanted[3]));
  for (int i = 0; i < 4; ++i) applied[i] = wanted[i];
}

void GLDevice::ApplyViewport(bool pretransformed) {
  // Pretransformed vertices are back-buffer pixels: they use the whole
  // buffer and their own depth.
  const GLViewport wanted = pretransformed ? GLViewport::kFull : GLViewport::kDevice;
  if (glViewport_ == wanted) return;
  const UINT height = backBuffer_.height();
  if (pretransformed) {
    glViewport(0, 0, GLsizei(backBuffer_.width()), GLsizei(height));
    glDepthRange(0.0, 1.0);
  } else {
    glViewport(GLint(viewport_.X), GLint(height - viewport_.Y - viewport_.Height),
               GLsizei(viewport_.Width), GLsizei(viewport_.Height));
    glDepthRange(viewport_.MinZ, viewport_.MaxZ);
  }
  glViewport_ = wanted;
}

void GLDevice::UploadTransforms(ShaderProgram* p, bool blended) {
  const unsigned gen = transformGen_ * 2 + (blended ? 1 : 0);
  if (p->transformGen == gen) return;
  p->transformGen = gen;
  const D3DMATRIX modelView = blended ? view_ : MultiplyMatrices(world_[0], view_);
  const D3DMATRIX mvp = MultiplyMatrices(modelView, DepthToOpenGL(projection_));
  glUniformMatrix4fv(p->mvp, 1, GL_FALSE, &mvp._11);
  if (p->modelView >= 0) glUniformMatrix4fv(p->modelView, 1, GL_FALSE, &modelView._11);
  if (p->normalMatrix >= 0) {
    float normal[9];
    NormalMatrix3(modelView, normal);
    glUniformMatrix3fv(p->normalMatrix, 1, GL_FALSE, normal);
  }
}

void GLDevice::UploadMaterial(ShaderProgram* p) {
  if (p->materialGen == materialGen_) return;
  p->materialGen = materialGen_;
  glUniform4fv(p->matDiffuse, 1, &material_.Diffuse.r);
  glUniform4fv(p->matAmbient, 1, &material_.Ambient.r);
  glUniform4fv(p->matSpecular, 1, &material_.Specular.r);
  glUniform4fv(p->matEmissive, 1, &material_.Emissive.r);
  if (p->power >= 0) glUniform1f(p->power, material_.Power);
  const D3DCOLORVALUE ambient = ColorValue(renderStates_[D3DRS_AMBIENT]);
  glUniform4fv(p->ambient, 1, &ambient.r);
}

void GLDevice::UploadLights(ShaderProgram* p) {
  if (p->lightGen == lightGen_ || activeLights_.empty()) return;
  p->lightGen = lightGen_;
  float pos[8][3], dir[8][3], diffuse[8][4], specular[8][4], ambient[8][4], atten[8][4],
      spot[8][3];
  const size_t n = activeLights_.size();
  for (size_t i = 0; i < n; ++i) {
    const D3DLIGHT9& l = lights_[activeLights_[i]].light;
    const D3DMATRIX& v = view_;
    const D3DVECTOR& P = l.Position;
    const D3DVECTOR& D = l.Direction;
    for (int c = 0; c < 3; ++c) {
      pos[i][c] = P.x * v.m[0][c] + P.y * v.m[1][c] + P.z * v.m[2][c] + v.m[3][c];
      dir[i][c] = D.x * v.m[0][c] + D.y * v.m[1][c] + D.z * v.m[2][c];
    }
    const float length = std::sqrt(dir[i][0] * dir[i][0] + dir[i][1] * dir[i][1] +
                                   dir[i][2] * dir[i][2]);
    for (float& c : dir[i]) c = length > 0.0f ? c / length : 0.0f;
    const D3DCOLORVALUE* colors[3] = {&l.Diffuse, &l.Specular, &l.Ambient};
    float(*targets[3])[4] = {diffuse, specular, ambient};
    for (int k = 0; k < 3; ++k) {
      targets[k][i][0] = colors[k]->r;
      targets[k][i][1] = colors[k]->g;
      targets[k][i][2] = colors[k]->b;
      targets[k][i][3] = colors[k]->a;
    }
    atten[i][0] = l.Attenuation0;
    atten[i][1] = l.Attenuation1;
    atten[i][2] = l.Attenuation2;
    atten[i][3] = l.Range;
    spot[i][0] = std::cos(l.Theta * 0.5f);
    spot[i][1] = std::cos(l.Phi * 0.5f);
    spot[i][2] = l.Falloff;
  }
  const GLsizei count = GLsizei(n);
  glUniform3fv(p->lightPos, count, &pos[0][0]);
  glUniform3fv(p->lightDir, count, &dir[0][0]);
  glUniform4fv(p->lightDiffuse, count, &diffuse[0][0]);
  if (p->lightSpecular >= 0) glUniform4fv(p->lightSpecular, count, &specular[0][0]);
  glUniform4fv(p->lightAmbient, count, &ambient[0][0]);
  glUniform4fv(p->lightAtten, count, &atten[0][0]);
  glUniform3fv(p->lightSpot, count, &spot[0][0]);
}
