#include "platform/d3dx9/d3dx9math.h"

#include <cmath>
#include <cstring>

D3DXMATRIX::D3DXMATRIX(float m11, float m12, float m13, float m14, float m21, float m22,
                       float m23, float m24, float m31, float m32, float m33, float m34,
                       float m41, float m42, float m43, float m44)
    : D3DMATRIX{} {
  const float v[16] = {m11, m12, m13, m14, m21, m22, m23, m24,
                       m31, m32, m33, m34, m41, m42, m43, m44};
  std::memcpy(m, v, sizeof v);
}

D3DXMATRIX D3DXMATRIX::operator*(const D3DXMATRIX& o) const {
  D3DXMATRIX r;
  D3DXMatrixMultiply(&r, this, &o);
  return r;
}

bool D3DXMATRIX::operator==(const D3DXMATRIX& o) const {
  return std::memcmp(m, o.m, sizeof m) == 0;
}

D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* out) {
  *out = D3DXMATRIX(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
  return out;
}

bool D3DXMatrixIsIdentity(const D3DXMATRIX* m) {
  D3DXMATRIX identity;
  D3DXMatrixIdentity(&identity);
  return *m == identity;
}

D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* out, const D3DXMATRIX* a, const D3DXMATRIX* b) {
  D3DXMATRIX r;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      r.m[i][j] = a->m[i][0] * b->m[0][j] + a->m[i][1] * b->m[1][j] + a->m[i][2] * b->m[2][j] +
                  a->m[i][3] * b->m[3][j];
  *out = r;
  return out;
}

D3DXMATRIX* D3DXMatrixTranslation(D3DXMATRIX* out, float x, float y, float z) {
  *out = D3DXMATRIX(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1);
  return out;
}

D3DXMATRIX* D3DXMatrixScaling(D3DXMATRIX* out, float x, float y, float z) {
  *out = D3DXMATRIX(x, 0, 0, 0, 0, y, 0, 0, 0, 0, z, 0, 0, 0, 0, 1);
  return out;
}

D3DXMATRIX* D3DXMatrixRotationX(D3DXMATRIX* out, float angle) {
  float c = std::cos(angle), s = std::sin(angle);
  *out = D3DXMATRIX(1, 0, 0, 0, 0, c, s, 0, 0, -s, c, 0, 0, 0, 0, 1);
  return out;
}

D3DXMATRIX* D3DXMatrixRotationY(D3DXMATRIX* out, float angle) {
  float c = std::cos(angle), s = std::sin(angle);
  *out = D3DXMATRIX(c, 0, -s, 0, 0, 1, 0, 0, s, 0, c, 0, 0, 0, 0, 1);
  return out;
}

D3DXMATRIX* D3DXMatrixRotationZ(D3DXMATRIX* out, float angle) {
  float c = std::cos(angle), s = std::sin(angle);
  *out = D3DXMATRIX(c, s, 0, 0, -s, c, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
  return out;
}

D3DXMATRIX* D3DXMatrixRotationYawPitchRoll(D3DXMATRIX* out, float yaw, float pitch, float roll) {
  D3DXMATRIX z, x, y;
  D3DXMatrixRotationZ(&z, roll);
  D3DXMatrixRotationX(&x, pitch);
  D3DXMatrixRotationY(&y, yaw);
  *out = z * x * y;
  return out;
}

D3DXMATRIX* D3DXMatrixRotationQuaternion(D3DXMATRIX* out, const D3DXQUATERNION* q) {
  float x = q->x, y = q->y, z = q->z, w = q->w;
  *out = D3DXMATRIX(1 - 2 * (y * y + z * z), 2 * (x * y + z * w), 2 * (x * z - y * w), 0,
                    2 * (x * y - z * w), 1 - 2 * (x * x + z * z), 2 * (y * z + x * w), 0,
                    2 * (x * z + y * w), 2 * (y * z - x * w), 1 - 2 * (x * x + y * y), 0,
                    0, 0, 0, 1);
  return out;
}

D3DXMATRIX* D3DXMatrixPerspectiveFovLH(D3DXMATRIX* out, float fovy, float aspect, float zn,
                                       float zf) {
  float ys = 1.0f / std::tan(fovy * 0.5f);
  float xs = ys / aspect;
  float q = zf / (zf - zn);
  *out = D3DXMATRIX(xs, 0, 0, 0, 0, ys, 0, 0, 0, 0, q, 1, 0, 0, -zn * q, 0);
  return out;
}

D3DXMATRIX* D3DXMatrixLookAtLH(D3DXMATRIX* out, const D3DXVECTOR3* eye, const D3DXVECTOR3* at,
                               const D3DXVECTOR3* up) {
  D3DXVECTOR3 zaxis = *at - *eye, xaxis, yaxis;
  D3DXVec3Normalize(&zaxis, &zaxis);
  D3DXVec3Cross(&xaxis, up, &zaxis);
  D3DXVec3Normalize(&xaxis, &xaxis);
  D3DXVec3Cross(&yaxis, &zaxis, &xaxis);
  *out = D3DXMATRIX(xaxis.x, yaxis.x, zaxis.x, 0, xaxis.y, yaxis.y, zaxis.y, 0, xaxis.z, yaxis.z,
                    zaxis.z, 0, -D3DXVec3Dot(&xaxis, eye), -D3DXVec3Dot(&yaxis, eye),
                    -D3DXVec3Dot(&zaxis, eye), 1);
  return out;
}

float D3DXVec3Dot(const D3DXVECTOR3* a, const D3DXVECTOR3* b) {
  return a->x * b->x + a->y * b->y + a->z * b->z;
}

float D3DXVec3Length(const D3DXVECTOR3* v) { return std::sqrt(D3DXVec3Dot(v, v)); }

D3DXVECTOR3* D3DXVec3Cross(D3DXVECTOR3* out, const D3DXVECTOR3* a, const D3DXVECTOR3* b) {
  *out = D3DXVECTOR3(a->y * b->z - a->z * b->y, a->z * b->x - a->x * b->z,
                     a->x * b->y - a->y * b->x);
  return out;
}

D3DXVECTOR3* D3DXVec3Normalize(D3DXVECTOR3* out, const D3DXVECTOR3* v) {
  float length = D3DXVec3Length(v);
  // A zero vector has no direction; it stays zero rather than turning to NaN.
  *out = length > 0.0f ? *v * (1.0f / length) : D3DXVECTOR3();
  return out;
}

D3DXVECTOR3* D3DXVec3TransformCoord(D3DXVECTOR3* out, const D3DXVECTOR3* v,
                                    const D3DXMATRIX* m) {
  float x = v->x * m->_11 + v->y * m->_21 + v->z * m->_31 + m->_41;
  float y = v->x * m->_12 + v->y * m->_22 + v->z * m->_32 + m->_42;
  float z = v->x * m->_13 + v->y * m->_23 + v->z * m->_33 + m->_43;
  float w = v->x * m->_14 + v->y * m->_24 + v->z * m->_34 + m->_44;
  float k = w != 0.0f ? 1.0f / w : 1.0f;
  *out = D3DXVECTOR3(x * k, y * k, z * k);
  return out;
}

D3DXQUATERNION* D3DXQuaternionIdentity(D3DXQUATERNION* out) {
  *out = {0, 0, 0, 1};
  return out;
}

D3DXQUATERNION* D3DXQuaternionNormalize(D3DXQUATERNION* out, const D3DXQUATERNION* q) {
  float length = std::sqrt(q->x * q->x + q->y * q->y + q->z * q->z + q->w * q->w);
  if (length == 0.0f) return D3DXQuaternionIdentity(out);
  *out = {q->x / length, q->y / length, q->z / length, q->w / length};
  return out;
}

D3DXQUATERNION* D3DXQuaternionRotationAxis(D3DXQUATERNION* out, const D3DXVECTOR3* axis,
                                           float angle) {
  D3DXVECTOR3 n;
  D3DXVec3Normalize(&n, axis);
  float s = std::sin(angle * 0.5f);
  *out = {n.x * s, n.y * s, n.z * s, std::cos(angle * 0.5f)};
  return out;
}

D3DXQUATERNION* D3DXQuaternionSlerp(D3DXQUATERNION* out, const D3DXQUATERNION* a,
                                    const D3DXQUATERNION* b, float t) {
  float cosom = a->x * b->x + a->y * b->y + a->z * b->z + a->w * b->w;
  float sign = 1.0f;
  if (cosom < 0.0f) {  // q and -q are one turn: take the shorter arc
    cosom = -cosom;
    sign = -1.0f;
  }
  float ka = 1.0f - t, kb = t;
  if (cosom < 0.9999f) {
    float omega = std::acos(cosom);
    float sinom = std::sin(omega);
    ka = std::sin((1.0f - t) * omega) / sinom;
    kb = std::sin(t * omega) / sinom;
  }
  kb *= sign;
  *out = {ka * a->x + kb * b->x, ka * a->y + kb * b->y, ka * a->z + kb * b->z,
          ka * a->w + kb * b->w};
  return out;
}
