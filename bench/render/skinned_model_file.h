// A generated skinned .x model for the benchmarks: a tube of `rings` × `segments`
// quads around a chain of `bones` bone frames, each vertex shared by the two
// bones nearest its height.
#pragma once
#include <string>

std::string SkinnedTubeModel(int segments, int rings, int bones);
