#include "platform/d3d9/gl_vertex_blend.h"

#include <cstring>

#include "platform/d3d9/gl_math.h"

void BlendVertices(const BYTE* source, UINT stride, const FvfLayout& layout, UINT count,
                   const D3DMATRIX* matrices, int weights, BlendedVertex* out) {
  const int available = layout.blendWeights - (layout.lastBetaIndices ? 1 : 0);
  if (weights > available) weights = available;
  if (weights > kMaxBlendMatrices - 1) weights = kMaxBlendMatrices - 1;
  if (weights < 0) weights = 0;
  float normalMatrices[kMaxBlendMatrices][9];  // row r, column c at 3r + c
  for (int k = 0; k <= weights; ++k) NormalMatrix3(matrices[k], normalMatrices[k]);

  for (UINT v = 0; v < count; ++v) {
    const BYTE* vertex = source + size_t(v) * stride;
    float p[3], w[kMaxBlendMatrices], n[3] = {0, 0, 0};
    std::memcpy(p, vertex, sizeof p);
    std::memcpy(w, vertex + 12, sizeof(float) * size_t(weights));
    if (layout.normal >= 0) std::memcpy(n, vertex + layout.normal, sizeof n);
    float last = 1.0f;
    for (int k = 0; k < weights; ++k) last -= w[k];
    w[weights] = last;

    BlendedVertex& o = out[v];
    o = BlendedVertex{};
    for (int k = 0; k <= weights; ++k) {
      const D3DMATRIX& m = matrices[k];
      const float wk = w[k];
      for (int c = 0; c < 3; ++c) {
        o.position[c] += wk * (p[0] * m.m[0][c] + p[1] * m.m[1][c] + p[2] * m.m[2][c] + m.m[3][c]);
        const float* nm = normalMatrices[k];
        o.normal[c] += wk * (n[0] * nm[c] + n[1] * nm[3 + c] + n[2] * nm[6 + c]);
      }
    }
  }
}
