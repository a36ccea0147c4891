// Reads a level from its map file into a new current Scene.
//
// A map file is untrusted input: every value is bounded before it reaches a
// fixed field. Names too long for their field are cut to fit it; the few
// values that cannot be cut without meaning something else are refused.
#pragma once
#include <cstddef>

#include "platform/d3d9/d3d9.h"
#include "platform/types.h"

constexpr i32 MapLineCapacity = 500;   // 499 characters and the terminator

// Largest map file read: four times a map of as many objects as a map may
// hold, each on a line as long as a line may be (the game's largest map has
// 13 kB).
constexpr std::size_t MapFileMaxBytes = std::size_t{1} << 20;

// What one map may hold, far above what a level needs, so that any map the
// reader takes ticks well within the game step: every moving piece walks the
// whole object list on each move. The fixed scenery and the balls' broken
// twins count as objects; balls and spikes as moving pieces. Records past
// either bound are left out.
constexpr i32 MapObjectLimit = 500;
constexpr i32 MapMovingPieceLimit = 100;

// The last PLANE record loaded named a file other than the map's own.
extern u8 DataInconsistent;

// Replaces CurrentScene and the level clock by the level in
// "res/maps/<mapFileName>". A name that is empty or over MapNameMaxLength
// (score_list.h), a file that cannot be opened, one that is no regular file
// or larger than MapFileMaxBytes, and a file without a single record change
// nothing; all but the first two say so on standard error, as do a line of
// MapLineCapacity characters or more (skipped) and records past the bounds.
// The name may be a text of the current Scene: it is copied before anything
// is freed.
void LoadLevelMap(IDirect3DDevice9* device, const char* mapFileName);
