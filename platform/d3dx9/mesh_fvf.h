// Where each element of a flexible vertex format lies inside one vertex.
#pragma once
#include "platform/d3dx9/d3dx9mesh.h"

constexpr UINT NoElement = 0xFFFFFFFF;

struct FvfLayout {
  UINT stride = 0;
  DWORD position = 0;     // the D3DFVF_POSITION_MASK bits
  UINT positionSize = 0;  // xyz (and rhw) floats, weights not counted
  UINT weightCount = 0;   // blend weights after the position
  UINT normal = NoElement;
  UINT pointSize = NoElement;
  UINT diffuse = NoElement;
  UINT specular = NoElement;
  UINT texCount = 0;  // two-float texture coordinate sets
  UINT texOffset = 0;
};

// False for an FVF we cannot lay out (unknown bits, texture coordinates of
// other than two floats).
bool DescribeFvf(DWORD fvf, FvfLayout* layout);

// Copies the elements that both formats have from one vertex to another; the
// destination's other elements are left as they are.
void CopySharedElements(const FvfLayout& from, const BYTE* source, const FvfLayout& to,
                        BYTE* destination);
