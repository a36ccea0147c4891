// Reads a level from its map file into a new current Scene.
//
// A map file is untrusted input: every value is bounded before it reaches a
// fixed field. Names too long for their field are cut to fit it; the few
// values that cannot be cut without meaning something else are refused.
#pragma once
#include "platform/d3d9/d3d9.h"
#include "platform/types.h"

constexpr i32 MapLineCapacity = 500;   // 499 characters and the terminator

// The last PLANE record loaded named a file other than the map's own.
extern u8 DataInconsistent;

// Replaces CurrentScene and the level clock by the level in
// "res/maps/<mapFileName>". A name that is empty or over MapNameMaxLength
// (score_list.h), or a file that cannot be opened, changes nothing. The name
// may be a text of the current Scene: it is copied before anything is freed.
void LoadLevelMap(IDirect3DDevice9* device, const char* mapFileName);
