// What a loaded model holds in memory.
#pragma once
#include <cstddef>

#include "render/model.h"

// The bytes of the model's meshes (vertices and indices, a skinned piece's
// source mesh too) and of its textures' pixels, each texture once.
std::size_t ModelBytes(const ModelFrame* root);
