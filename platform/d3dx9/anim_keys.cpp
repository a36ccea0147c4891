#include "platform/d3dx9/anim_keys.h"

#include <algorithm>

namespace {

template <class Key>
DWORD LastKeyTime(const std::vector<Key>& keys) {
  return keys.empty() ? 0 : keys.back().time;
}

// The two keys around `ticks` and how far between them it lies.
template <class Key>
void Bracket(const std::vector<Key>& keys, double ticks, const Key** a, const Key** b, float* t) {
  auto later = std::upper_bound(keys.begin(), keys.end(), ticks,
                                [](double value, const Key& key) { return value < key.time; });
  if (later == keys.begin()) {
    *a = *b = &keys.front();
    *t = 0;
  } else if (later == keys.end()) {
    *a = *b = &keys.back();
    *t = 0;
  } else {
    *a = &*(later - 1);
    *b = &*later;
    *t = static_cast<float>((ticks - (*a)->time) / (double((*b)->time) - (*a)->time));
  }
}

D3DXVECTOR3 SampleVector(const std::vector<VectorKey>& keys, double ticks) {
  const VectorKey *a, *b;
  float t;
  Bracket(keys, ticks, &a, &b, &t);
  return a->value + (b->value - a->value) * t;
}

}  // namespace

DWORD AnimationKeys::LastTime() const {
  return std::max({LastKeyTime(rotations), LastKeyTime(scales), LastKeyTime(positions),
                   LastKeyTime(matrices)});
}

D3DXMATRIX SampleAnimation(const AnimationKeys& keys, const D3DXMATRIX& loaded, double ticks) {
  D3DXMATRIX m = loaded;
  if (!keys.matrices.empty()) {
    const MatrixKey *a, *b;
    float t;
    Bracket(keys.matrices, ticks, &a, &b, &t);
    for (int row = 0; row < 4; ++row)
      for (int column = 0; column < 4; ++column)
        m(row, column) = a->value(row, column) + (b->value(row, column) - a->value(row, column)) * t;
    return m;
  }
  if (!keys.scales.empty() || !keys.rotations.empty()) {
    D3DXMATRIX scale, rotation;
    D3DXMatrixIdentity(&scale);
    D3DXMatrixIdentity(&rotation);
    if (!keys.scales.empty()) {
      D3DXVECTOR3 s = SampleVector(keys.scales, ticks);
      D3DXMatrixScaling(&scale, s.x, s.y, s.z);
    }
    if (!keys.rotations.empty()) {
      const RotationKey *a, *b;
      float t;
      Bracket(keys.rotations, ticks, &a, &b, &t);
      D3DXQUATERNION q;
      D3DXQuaternionSlerp(&q, &a->value, &b->value, t);
      D3DXMatrixRotationQuaternion(&rotation, &q);
    }
    D3DXMATRIX turn;
    D3DXMatrixMultiply(&turn, &scale, &rotation);
    for (int row = 0; row < 3; ++row)
      for (int column = 0; column < 4; ++column) m(row, column) = turn(row, column);
  }
  if (!keys.positions.empty()) {
    D3DXVECTOR3 p = SampleVector(keys.positions, ticks);
    m(3, 0) = p.x;
    m(3, 1) = p.y;
    m(3, 2) = p.z;
  }
  return m;
}
