// Drawing: from the bound buffers, from caller memory, and with vertex
// blending done here on the CPU.
#include <algorithm>

#include "platform/d3d9/gl_device_impl.h"
#include "platform/d3d9/primitive_vertices.h"

namespace {

GLenum PrimitiveMode(D3DPRIMITIVETYPE type) {
  switch (type) {
    case D3DPT_POINTLIST: return GL_POINTS;
    case D3DPT_LINELIST: return GL_LINES;
    case D3DPT_LINESTRIP: return GL_LINE_STRIP;
    case D3DPT_TRIANGLELIST: return GL_TRIANGLES;
    case D3DPT_TRIANGLESTRIP: return GL_TRIANGLE_STRIP;
    case D3DPT_TRIANGLEFAN: return GL_TRIANGLE_FAN;
  }
  return GL_TRIANGLES;
}

const void* Offset(size_t bytes) { return reinterpret_cast<const void*>(bytes); }

template <typename Index>
UINT LargestIndex(const BYTE* bytes, UINT count) {
  const Index* index = reinterpret_cast<const Index*>(bytes);
  UINT largest = 0;
  for (UINT i = 0; i < count; ++i) largest = std::max(largest, UINT(index[i]));
  return largest;
}

}  // namespace

void GLDevice::EnableAttributes(unsigned mask) {
  for (GLuint a = 0; a < 4; ++a) {
    const unsigned bit = 1u << a;
    if ((mask & bit) && !(enabledAttributes_ & bit)) glEnableVertexAttribArray(a);
    if (!(mask & bit) && (enabledAttributes_ & bit)) glDisableVertexAttribArray(a);
  }
  enabledAttributes_ = mask;
}

void GLDevice::BindAttributes(GLuint buffer, const FvfLayout& layout, UINT stride, size_t offset,
                              bool skipPositionAndNormal) {
  glBindBuffer(GL_ARRAY_BUFFER, buffer);
  const GLsizei s = GLsizei(stride);
  if (!skipPositionAndNormal) {
    glVertexAttribPointer(kAttribPosition, layout.pretransformed ? 4 : 3, GL_FLOAT, GL_FALSE, s,
                          Offset(offset));
    if (layout.normal >= 0)
      glVertexAttribPointer(kAttribNormal, 3, GL_FLOAT, GL_FALSE, s,
                            Offset(offset + size_t(layout.normal)));
  }
  if (layout.diffuse >= 0)
    glVertexAttribPointer(kAttribColor, 4, GL_UNSIGNED_BYTE, GL_TRUE, s,
                          Offset(offset + size_t(layout.diffuse)));
  if (layout.texCoord0 >= 0)
    glVertexAttribPointer(kAttribTexCoord, std::min(layout.texCoord0Size, 2), GL_FLOAT, GL_FALSE,
                          s, Offset(offset + size_t(layout.texCoord0)));
}

ShaderProgram* GLDevice::PrepareDraw(const FvfLayout& layout, bool blended) {
  unsigned key = 0;
  const bool textured = texture_ != nullptr;
  if (layout.pretransformed) key |= kShaderPretransformed;
  if (layout.diffuse >= 0) key |= kShaderVertexColor;
  if (textured) key |= kShaderTexture;
  const bool lit = !layout.pretransformed && renderStates_[D3DRS_LIGHTING];
  if (lit) {
    key |= kShaderLighting;
    if (layout.normal >= 0) key |= kShaderNormal;
    if (renderStates_[D3DRS_NORMALIZENORMALS]) key |= kShaderNormalize;
    if (renderStates_[D3DRS_SPECULARENABLE]) key |= kShaderSpecular;
    // A vertex colour stands in for the material's diffuse only with
    // D3DRS_COLORVERTEX on.
    if (!renderStates_[D3DRS_COLORVERTEX]) key &= ~unsigned(kShaderVertexColor);
    for (size_t i = 0; i < activeLights_.size(); ++i)
      key |= unsigned(lights_[activeLights_[i]].light.Type) << (kShaderLightShift + 2 * i);
  }
  ShaderProgram* p = shaders_.Get(key);
  if (!p) return nullptr;
  glUseProgram(p->program);
  ApplyViewport(layout.pretransformed);
  if (layout.pretransformed) {
    if (p->screenGen != screenGen_) {
      p->screenGen = screenGen_;
      const float w = float(backBuffer_.width()), h = float(backBuffer_.height());
      // Pixel centres are whole numbers here and halves in OpenGL. A shift
      // a little short of the half keeps edges off pixel centres, so that a
      // rectangle from 10 to 20 covers pixels 10 to 19 whatever OpenGL's rule
      // for edges through centres.
      const float shift = 0.5f - 1.0f / 64.0f;
      glUniform4f(p->screen, 2.0f / w, -2.0f / h, 2.0f * shift / w - 1.0f, 1.0f - 2.0f * shift / h);
    }
  } else {
    UploadTransforms(p, blended);
    if (lit) {
      UploadMaterial(p);
      UploadLights(p);
    }
  }
  if (textured) BindTexture(texture_);

  unsigned attributes = 1u << kAttribPosition;
  if (layout.normal >= 0 && !layout.pretransformed) attributes |= 1u << kAttribNormal;
  if (layout.diffuse >= 0) attributes |= 1u << kAttribColor;
  if (layout.texCoord0 >= 0) attributes |= 1u << kAttribTexCoord;
  if (blended) attributes |= 1u << kAttribNormal;
  EnableAttributes(attributes);
  return p;
}

HRESULT GLDevice::DrawIndexedPrimitive(D3DPRIMITIVETYPE type, INT baseVertexIndex,
                                       UINT minVertexIndex, UINT numVertices, UINT startIndex,
                                       UINT primCount) {
  FvfLayout layout;
  if (!inScene_ || !stream_ || !indices_ || !DecodeFvf(fvf_, &layout) || primCount == 0 ||
      numVertices == 0)
    return D3DERR_INVALIDCALL;
  const UINT stride = streamStride_ ? streamStride_ : layout.size;
  const UINT indexCount = VerticesForPrimitives(type, primCount);
  const bool wide = indices_->GetFormat() == D3DFMT_INDEX32;
  const UINT indexSize = wide ? 4 : 2;
  GLBuffer& ib = indices_->buffer;
  GLBuffer& vb = stream_->buffer;
  if (stride < layout.size || indexCount == 0 ||
      size_t(startIndex) + indexCount > ib.size() / indexSize)
    return D3DERR_INVALIDCALL;

  // Every vertex an index reaches must lie inside the vertex buffer.
  const BYTE* indexBytes = ib.bytes() + size_t(startIndex) * indexSize;
  const UINT largest = wide ? LargestIndex<DWORD>(indexBytes, indexCount)
                            : LargestIndex<WORD>(indexBytes, indexCount);
  const long long first = (long long)streamOffset_ + (long long)baseVertexIndex * stride;
  if (first < 0 || first + (long long)largest * stride + layout.size > (long long)vb.size())
    return D3DERR_INVALIDCALL;

  // Hardware blends up to three weights; software processing as many as a
  // vertex holds.
  const DWORD blendState = renderStates_[D3DRS_VERTEXBLEND];
  const DWORD mostWeights = softwareVertexProcessing_ ? kMaxBlendMatrices - 1 : kHardwareBlendMatrices - 1;
  const bool blend = blendState >= 1 && blendState <= mostWeights && layout.blendWeights > 0 &&
                     !layout.pretransformed;
  ShaderProgram* p = PrepareDraw(layout, blend);
  if (!p) return D3DERR_NOTAVAILABLE;

  if (blend) {
    // Blend only the vertices the draw uses; the stream buffer holds them
    // where the indices (relative to the base vertex) find them: 
    // from the lowest vertex named to the highest one an index reaches.
    const UINT used = largest >= minVertexIndex ? largest + 1 - minVertexIndex : 0;
    blended_.resize(used);
    BlendVertices(vb.bytes() + first + size_t(minVertexIndex) * stride, stride, layout, used,
                  world_, int(blendState), blended_.data());
    glBindBuffer(GL_ARRAY_BUFFER, streamBuffer_);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr((size_t(minVertexIndex) + used) * sizeof(BlendedVertex)),
                 nullptr, GL_STREAM_DRAW);
    glBufferSubData(GL_ARRAY_BUFFER, GLintptr(size_t(minVertexIndex) * sizeof(BlendedVertex)),
                    GLsizeiptr(used * sizeof(BlendedVertex)), blended_.data());
    glVertexAttribPointer(kAttribPosition, 3, GL_FLOAT, GL_FALSE, sizeof(BlendedVertex),
                          Offset(0));
    glVertexAttribPointer(kAttribNormal, 3, GL_FLOAT, GL_FALSE, sizeof(BlendedVertex),
                          Offset(offsetof(BlendedVertex, normal)));
  }
  BindAttributes(vb.Upload(), layout, stride, size_t(first), blend);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, ib.Upload());
  glDrawRangeElements(PrimitiveMode(type), std::min(minVertexIndex, largest), largest, GLsizei(indexCount),
                      wide ? GL_UNSIGNED_INT : GL_UNSIGNED_SHORT,
                      Offset(size_t(startIndex) * indexSize));
  return D3D_OK;
}

HRESULT GLDevice::DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primCount, const void* vertices,
                                  UINT stride) {
  FvfLayout layout;
  if (!inScene_ || !vertices || primCount == 0 || !DecodeFvf(fvf_, &layout) ||
      stride < layout.size)
    return D3DERR_INVALIDCALL;
  const UINT count = VerticesForPrimitives(type, primCount);
  if (count == 0) return D3DERR_INVALIDCALL;
  ShaderProgram* p = PrepareDraw(layout, false);
  if (!p) return D3DERR_NOTAVAILABLE;
  glBindBuffer(GL_ARRAY_BUFFER, streamBuffer_);
  glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(size_t(count) * stride), vertices, GL_STREAM_DRAW);
  BindAttributes(streamBuffer_, layout, stride, 0, false);
  glDrawArrays(PrimitiveMode(type), 0, GLsizei(count));
  // A caller's memory is its own again: the stream source is unset, as the
  // platform does after a draw from memory.
  SetStreamSource(0, nullptr, 0, 0);
  return D3D_OK;
}
