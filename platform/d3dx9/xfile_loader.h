// The .x hierarchy loader over text already in memory (the file loader reads
// the file whole and calls this; the fuzzer calls it directly).
#pragma once
#include <string_view>

#include "platform/d3dx9/d3dx9anim.h"

HRESULT LoadMeshHierarchyFromXText(std::string_view text, DWORD meshOptions,
                                   IDirect3DDevice9* device, ID3DXAllocateHierarchy* allocator,
                                   D3DXFRAME** frameRoot,
                                   ID3DXAnimationController** animationController);
