// Keyframes of one animated frame, times in ticks, sorted by time.
#pragma once
#include <vector>

#include "platform/d3dx9/d3dx9math.h"

struct RotationKey {
  DWORD time;
  D3DXQUATERNION value;  // unit, in this library's row-vector sense
};

struct VectorKey {
  DWORD time;
  D3DXVECTOR3 value;
};

struct MatrixKey {
  DWORD time;
  D3DXMATRIX value;
};

struct AnimationKeys {
  std::vector<RotationKey> rotations;
  std::vector<VectorKey> scales;
  std::vector<VectorKey> positions;
  std::vector<MatrixKey> matrices;

  // The time of the latest key, 0 without keys.
  DWORD LastTime() const;
};

// The frame matrix the keys give at `ticks`: scale × rotation × translation,
// rotations spherically interpolated and the rest linearly; before the first
// key the first holds, after the last the last. Matrix keys, when present,
// give the whole matrix, element by element. A part without keys keeps that
// part of `loaded`: its translation, and its 3×3 when neither scale nor
// rotation is keyed.
D3DXMATRIX SampleAnimation(const AnimationKeys& keys, const D3DXMATRIX& loaded, double ticks);
