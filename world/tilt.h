// The board's tilt: rotation x and z of the Scene's "map" object, moved by
// the held tilt keys within +-TiltLimit. A positive x tilt rolls pieces
// toward +z, a positive z tilt toward -x.
#pragma once
#include "platform/types.h"

constexpr f32 TiltLimit = 0.3f;  // radians, both axes
constexpr f32 TiltStep = 0.02f;  // per game tick per held key

// Indices of TiltKeys; each byte is 1 while its key is held.
enum TiltKey { TiltLeft = 0, TiltRight = 1, TiltDown = 2, TiltUp = 3 };
extern u8 TiltKeys[4];

void TiltPlatformX(f32 step);
void TiltPlatformZ(f32 step);
void ApplyTiltKeys();
