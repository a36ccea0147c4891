// The two ends of a level: cleared (scored, then the next map after a
// wait) and failed (the same map again after a wait, as retried).
#pragma once
#include "platform/d3d9/d3d9.h"
#include "platform/types.h"
#include "world/scene.h"

// A frame in which every shown ball is home. May replace CurrentScene:
// `scene` is not to be used afterwards.
void ClearLevel(IDirect3DDevice9* device, Scene& scene, f32 now);
// A frame outside the tutorial with no ball left or the time up. May
// replace CurrentScene as ClearLevel does.
void FailLevel(IDirect3DDevice9* device, Scene& scene, f32 now);
