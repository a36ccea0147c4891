// A mesh's index data: 16-bit indices, or 32-bit ones with D3DXMESH_32BIT.
// Copied byte-wise rather than cast: the data lives in byte arrays.
#pragma once
#include <cstddef>
#include <cstring>

#include "platform/d3d9/d3d9.h"

inline DWORD ReadIndex(const void* indices, bool wide, std::size_t at) {
  const BYTE* bytes = static_cast<const BYTE*>(indices);
  if (wide) {
    DWORD index;
    std::memcpy(&index, bytes + at * 4, 4);
    return index;
  }
  WORD index;
  std::memcpy(&index, bytes + at * 2, 2);
  return index;
}

inline void WriteIndex(void* indices, bool wide, std::size_t at, DWORD index) {
  BYTE* bytes = static_cast<BYTE*>(indices);
  if (wide) {
    std::memcpy(bytes + at * 4, &index, 4);
  } else {
    WORD narrow = static_cast<WORD>(index);
    std::memcpy(bytes + at * 2, &narrow, 2);
  }
}
