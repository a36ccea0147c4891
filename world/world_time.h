// The world's clock: the framework's global timer in milliseconds, f32.
#pragma once
#include "platform/dxut/timer.h"
#include "platform/types.h"

inline f32 FrameworkTimeMs() { return static_cast<f32>(DXUTGetGlobalTimer()->GetTime() * 1000.0); }
