// A generated skinned .x model for the benchmarks: a tube of `rings` × `segments`
// quads around a chain of `bones` bone frames, each vertex shared by the two
// bones nearest its height.
#pragma once
#include <string>

std::string SkinnedTubeModel(int segments, int rings, int bones);

// A mesh of `faces` separate triangles, each moved by a bone of its own; every
// bone names the one frame, "Root", so the model loads whole.
std::string BonePerFaceModel(int faces);
