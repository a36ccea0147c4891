// One 10 ms game tick of the world: after the tilt, StepBalls rolls the
// balls and fires trigger groups, then StepLevelObjects rolls the spikes,
// carries pieces through warps and slides doors. Both do nothing while the
// current Scene has no "map" object.
#pragma once
#include "platform/types.h"

struct GameObject;
struct Scene;

constexpr f32 TickInterval = 10.0f;      // ms between game ticks
constexpr f32 RollSpeed = 0.08f;         // per tick at full tilt; goal pull and doors
constexpr f32 SpikeSpeedDivisor = 2.0f;  // spikes roll at half a ball's speed
constexpr f32 MoveEpsilon = 0.0001f;     // least motion that turns a piece
constexpr f32 BallDeadZone = 0.02f;      // tilts up to this do not roll balls
constexpr f32 SpikeDeadZone = 0.01f;     // nor, up to this, spikes

void StepBalls();
void StepLevelObjects();

// The roll of one tick along the axis that a tilt drives: proportional to
// the tilt, 0 inside the dead zone.
f32 RollDistance(f32 tilt, f32 deadZone, f32 speed);

// One roll of a ball or spike along z (x): Scene::MoveObject to the new
// place, and the roll angle turns by dz (-dx) only when it really moved.
void RollAlongZ(Scene* scene, GameObject* piece, f32 dz, f32& angle);
void RollAlongX(Scene* scene, GameObject* piece, f32 dx, f32& angle);

// The sound of a slide (a ball into its goal, a door): started unless it
// sounds, and stopped in the tick the slide ends.
void SoundSlide(const char* name, bool ended);
