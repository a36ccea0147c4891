// Vertex blending on the CPU: each vertex placed by a weighted sum of world
// matrices, as the fixed-function pipeline does for D3DRS_VERTEXBLEND.
#pragma once
#include "platform/d3d9/d3d9.h"
#include "platform/d3d9/gl_fvf.h"

// Matrices blended per vertex: what the device reports it can do, and what
// it does under software vertex processing (D3DFVF_XYZB5, six bones).
constexpr int kHardwareBlendMatrices = 4;
constexpr int kMaxBlendMatrices = 6;

struct BlendedVertex {
  float position[3];  // world space
  float normal[3];    // world space, not normalised
};

// Blends `count` vertices of `layout` from `source` (`stride` bytes apart)
// with `weights` weights read from each vertex (at most kMaxBlendMatrices - 1)
// and matrices 0 to `weights`;
// the last matrix takes 1 minus the sum of the others. A vertex without a
// normal gets (0, 0, 0).
void BlendVertices(const BYTE* source, UINT stride, const FvfLayout& layout, UINT count,
                   const D3DMATRIX* matrices, int weights, BlendedVertex* out);
