#pragma once
#include <string>
#include <vector>

#include "platform/types.h"

// Writes 0xAARRGGBB pixels, top row first, as an RGB PNG file.
bool WritePng(const std::string& path, const std::vector<u32>& pixels, u32 width, u32 height);
