// Writes a picture for a person to look at.
#pragma once
#include <string>
#include <vector>

#include "platform/win32/win32.h"

// 0xAARRGGBB pixels, top row first, as an RGB PNG; false when it cannot.
bool WritePng(const std::string& path, const std::vector<DWORD>& pixels, UINT width, UINT height);
// The folder for test pictures: $TUMBLOX_PICTURES, else /tmp.
std::string PictureFolder();
