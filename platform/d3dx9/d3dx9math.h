// Matrix and vector math of the utility library. Row vectors, left-handed
// space with y up: a point v becomes v × M, and in A × B the left factor
// acts first.
#pragma once
#include "platform/d3d9/d3d9.h"

#define D3DX_PI 3.141592654f

struct D3DXVECTOR2 {
  float x, y;
};

struct D3DXVECTOR3 : D3DVECTOR {
  D3DXVECTOR3() : D3DVECTOR{0, 0, 0} {}
  D3DXVECTOR3(float x_, float y_, float z_) : D3DVECTOR{x_, y_, z_} {}
  D3DXVECTOR3 operator+(const D3DXVECTOR3& o) const { return {x + o.x, y + o.y, z + o.z}; }
  D3DXVECTOR3 operator-(const D3DXVECTOR3& o) const { return {x - o.x, y - o.y, z - o.z}; }
  D3DXVECTOR3 operator*(float s) const { return {x * s, y * s, z * s}; }
};

// A colour of four floats, 0 to 1 each; it converts to a D3DCOLOR, each
// channel clamped and rounded to 0..255.
struct D3DXCOLOR {
  D3DXCOLOR() = default;
  D3DXCOLOR(float r_, float g_, float b_, float a_) : r(r_), g(g_), b(b_), a(a_) {}
  operator D3DCOLOR() const {
    auto byte = [](float v) { return DWORD(v <= 0 ? 0 : v >= 1 ? 255 : v * 255 + 0.5f); };
    return (byte(a) << 24) | (byte(r) << 16) | (byte(g) << 8) | byte(b);
  }
  float r = 0, g = 0, b = 0, a = 0;
};

// Rotation quaternion: (x, y, z) is the axis times sin(angle/2), w is
// cos(angle/2). It turns points as the matrix D3DXMatrixRotationQuaternion
// gives, which for an axis quaternion is the same left-handed turn as the
// axis rotations below.
struct D3DXQUATERNION {
  float x, y, z, w;
};

struct D3DXMATRIX : D3DMATRIX {
  D3DXMATRIX() : D3DMATRIX{} {}
  D3DXMATRIX(const D3DMATRIX& m_) : D3DMATRIX(m_) {}
  D3DXMATRIX(float m11, float m12, float m13, float m14, float m21, float m22, float m23,
             float m24, float m31, float m32, float m33, float m34, float m41, float m42,
             float m43, float m44);
  float& operator()(int row, int column) { return m[row][column]; }
  float operator()(int row, int column) const { return m[row][column]; }
  D3DXMATRIX operator*(const D3DXMATRIX& o) const;
  bool operator==(const D3DXMATRIX& o) const;
};

D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* out);
bool D3DXMatrixIsIdentity(const D3DXMATRIX* m);
// out = m1 × m2; out may be m1 or m2.
D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* out, const D3DXMATRIX* m1, const D3DXMATRIX* m2);
D3DXMATRIX* D3DXMatrixTranslation(D3DXMATRIX* out, float x, float y, float z);
D3DXMATRIX* D3DXMatrixScaling(D3DXMATRIX* out, float x, float y, float z);
// Turns about an axis by `angle` radians, clockwise looking along the axis
// toward the origin (the left-handed sense).
D3DXMATRIX* D3DXMatrixRotationX(D3DXMATRIX* out, float angle);
D3DXMATRIX* D3DXMatrixRotationY(D3DXMATRIX* out, float angle);
D3DXMATRIX* D3DXMatrixRotationZ(D3DXMATRIX* out, float angle);
// Roll about z first, then pitch about x, then yaw about y.
D3DXMATRIX* D3DXMatrixRotationYawPitchRoll(D3DXMATRIX* out, float yaw, float pitch, float roll);
D3DXMATRIX* D3DXMatrixRotationQuaternion(D3DXMATRIX* out, const D3DXQUATERNION* q);
// Perspective with depth mapped to 0 at `zn` and 1 at `zf`.
D3DXMATRIX* D3DXMatrixPerspectiveFovLH(D3DXMATRIX* out, float fovy, float aspect, float zn,
                                       float zf);
D3DXMATRIX* D3DXMatrixLookAtLH(D3DXMATRIX* out, const D3DXVECTOR3* eye, const D3DXVECTOR3* at,
                               const D3DXVECTOR3* up);

D3DXVECTOR3* D3DXVec3Normalize(D3DXVECTOR3* out, const D3DXVECTOR3* v);
float D3DXVec3Length(const D3DXVECTOR3* v);
float D3DXVec3Dot(const D3DXVECTOR3* a, const D3DXVECTOR3* b);
D3DXVECTOR3* D3DXVec3Cross(D3DXVECTOR3* out, const D3DXVECTOR3* a, const D3DXVECTOR3* b);
// (v, 1) × m, divided by w.
D3DXVECTOR3* D3DXVec3TransformCoord(D3DXVECTOR3* out, const D3DXVECTOR3* v, const D3DXMATRIX* m);

D3DXQUATERNION* D3DXQuaternionIdentity(D3DXQUATERNION* out);
D3DXQUATERNION* D3DXQuaternionNormalize(D3DXQUATERNION* out, const D3DXQUATERNION* q);
D3DXQUATERNION* D3DXQuaternionRotationAxis(D3DXQUATERNION* out, const D3DXVECTOR3* axis,
                                           float angle);
// Spherical interpolation along the shorter arc; t 0 gives a, 1 gives b.
D3DXQUATERNION* D3DXQuaternionSlerp(D3DXQUATERNION* out, const D3DXQUATERNION* a,
                                    const D3DXQUATERNION* b, float t);
