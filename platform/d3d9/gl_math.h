// The little matrix arithmetic the OpenGL device needs (row vectors, as the
// device's matrices are given).
#pragma once
#include "platform/d3d9/d3d9.h"

inline D3DMATRIX IdentityMatrix() {
  D3DMATRIX m{};
  m._11 = m._22 = m._33 = m._44 = 1.0f;
  return m;
}

// a × b: a acts first.
inline D3DMATRIX MultiplyMatrices(const D3DMATRIX& a, const D3DMATRIX& b) {
  D3DMATRIX r;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      r.m[i][j] = a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j] +
                  a.m[i][3] * b.m[3][j];
  return r;
}

inline D3DCOLORVALUE ColorValue(D3DCOLOR c) {
  return {float((c >> 16) & 0xff) / 255.0f, float((c >> 8) & 0xff) / 255.0f,
          float(c & 0xff) / 255.0f, float(c >> 24) / 255.0f};
}

// Maps the device's clip depth 0..w onto OpenGL's −w..w.
inline D3DMATRIX DepthToOpenGL(const D3DMATRIX& projection) {
  D3DMATRIX fix = IdentityMatrix();
  fix._33 = 2.0f;
  fix._43 = -1.0f;
  return MultiplyMatrices(projection, fix);
}

// The 3 × 3 matrix that carries normals through `m`: its inverse transpose,
// laid out so that OpenGL's column-major read gives (n × M⁻ᵀ)ᵀ for a column n.
// Singular matrices give zero.
inline void NormalMatrix3(const D3DMATRIX& m, float out[9]) {
  const float a = m._11, b = m._12, c = m._13;
  const float d = m._21, e = m._22, f = m._23;
  const float g = m._31, h = m._32, i = m._33;
  const float co[9] = {e * i - f * h, f * g - d * i, d * h - e * g,
                       c * h - b * i, a * i - c * g, b * g - a * h,
                       b * f - c * e, c * d - a * f, a * e - b * d};
  const float det = a * co[0] + b * co[1] + c * co[2];
  const float inv = det != 0.0f ? 1.0f / det : 0.0f;
  for (int k = 0; k < 9; ++k) out[k] = co[k] * inv;
}
