// The controller that plays one keyframed animation set on a frame tree.
#pragma once
#include <vector>

#include "platform/d3dx9/anim_keys.h"
#include "platform/d3dx9/d3dx9anim.h"

struct AnimationTrack {
  D3DXFRAME* frame;    // held by pointer: the tree outlives every AdvanceTime
  D3DXMATRIX loaded;   // the frame's matrix before any animation
  AnimationKeys keys;
};

// The set loops over its latest key time; `ticksPerSecond` converts seconds.
// The controller never touches a frame except in AdvanceTime, so it may be
// released after its tree is destroyed.
HRESULT CreateKeyframeAnimationController(std::vector<AnimationTrack> tracks, DWORD ticksPerSecond,
                                          ID3DXAnimationController** controller);
