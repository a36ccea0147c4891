// One game tick (StepBalls then StepLevelObjects) on a level of a realistic
// mix: walls around a board, balls with their twins, goals, spikes,
// triggers, doors and warps, with the board tilted so everything moves; and
// on the costliest level that the map reader lets through.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "files/map_reader.h"

#include "platform/dxut/timer.h"
#include "sound/sound_table.h"
#include "world/game_step.h"
#include "world/scene.h"
#include "world/text_copy.h"
#include "world/tilt.h"

namespace {

GameObject* Add(Scene& scene, const char* type, f32 length, f32 width, f32 x, f32 z) {
  scene.AddObjectAt(type, length, width, 1.0f, x, 0.0f, z);
  return scene.lastAdded;
}

// One cell of 10 objects on a 10 x 10 patch: a ball and its twin, a goal, a
// spike, a trigger and its door, two warps, and two walls.
void AddCell(Scene& scene, int cell) {
  f32 x = static_cast<f32>(cell % 8) * 10.0f;
  f32 z = static_cast<f32>(cell / 8) * 10.0f;
  char name[32], door[32], warpA[32], warpB[32];
  std::snprintf(name, sizeof name, "ball%d", cell);
  std::snprintf(door, sizeof door, "door%d", cell);
  std::snprintf(warpA, sizeof warpA, "warp%da", cell);
  std::snprintf(warpB, sizeof warpB, "warp%db", cell);

  CopyText(Add(scene, "ball", 0.8f, 0.8f, x + 1.0f, z + 1.0f)->name, name);
  GameObject* twin = Add(scene, "ball", 0.8f, 0.8f, x + 1.0f, z + 1.0f);
  std::snprintf(twin->name, sizeof twin->name, "%s_", name);
  twin->shown = 0;
  Add(scene, "goal", 1.0f, 1.0f, x + 8.0f, z + 8.0f);
  GameObject* spike = Add(scene, "spike", 0.5f, 0.5f, x + 5.0f, z + 2.0f);
  spike->direction = DirectionPlusZ;
  CopyText(spike->name, "spike");
  CopyText(Add(scene, "trigger", 1.0f, 1.0f, x + 3.0f, z + 6.0f)->target, door);
  Add(scene, door, 2.0f, 0.5f, x + 6.0f, z + 5.0f)->direction = DirectionPlusX;
  GameObject* a = Add(scene, warpA, 1.0f, 1.0f, x + 1.0f, z + 8.0f);
  CopyText(a->target, warpB);
  a->direction = DirectionPlusX;
  Add(scene, warpB, 1.0f, 1.0f, x + 8.0f, z + 3.0f)->direction = DirectionMinusZ;
  Add(scene, "wall", 10.0f, 0.2f, x, z + 9.9f);
  Add(scene, "wall", 0.2f, 10.0f, x + 9.9f, z + 10.0f);
}

Scene* BuildLevel(int objects) {
  Scene* scene = new Scene;
  Add(*scene, "skybox", 0, 0, 0, 0);
  Add(*scene, "map", 80.0f, 80.0f, 0.0f, 80.0f)->rotation = {0.2f, 0.0f, -0.15f};
  // Walls around the board.
  Add(*scene, "wall", 80.0f, 1.0f, 0.0f, 0.0f);
  Add(*scene, "wall", 80.0f, 1.0f, 0.0f, 81.0f);
  Add(*scene, "wall", 1.0f, 82.0f, -1.0f, 81.0f);
  Add(*scene, "wall", 1.0f, 82.0f, 80.0f, 81.0f);
  for (int cell = 0; scene->objectCount + 10 <= static_cast<u32>(objects); ++cell) AddCell(*scene, cell);
  for (f32 x = 1.0f; scene->objectCount < static_cast<u32>(objects); x += 10.0f)
    Add(*scene, "wall", 0.2f, 2.0f, x, 79.0f);
  return scene;
}

// The map reader's bound filled the costly way with `balls` balls. Every
// moving piece is a ball (two moves a tick) held by the tilt against a plain trigger along z
// and a warp along x, both at the end of the list; every other object is
// scenery over the whole board (a DOOR record may be named "LIGHT"), which
// each move must walk past and test by its type. Each press walks the list
// again for a missing door or warp exit whose long type shares its prefix
// with every warp. More balls walk more often, past fewer objects.
Scene* BuildLevelAtMapBound(int balls) {
  Scene* scene = new Scene;
  for (const char* fixed : {"skybox", "quit", "title"}) Add(*scene, fixed, 0, 0, 0, 0)->shown = 0;
  Add(*scene, "map", 1000.0f, 10.0f, 0.0f, 5.0f)->rotation = {TiltLimit, 0.0f, -TiltLimit};
  const std::string prefix(250, 'q');
  const std::string missingWarp = prefix + "warpX";
  const int scenery = MapObjectLimit - static_cast<int>(scene->objectCount) - 4 * balls;
  auto ballX = [](int i) { return 4.0f * static_cast<f32>(i); };
  for (int i = 0; i < scenery; ++i) Add(*scene, "LIGHT", 1000.0f, 10.0f, -1.0f, 5.0f);
  for (int i = 0; i < balls; ++i) {
    const std::string name = "ball" + std::to_string(i);
    CopyText(Add(*scene, "ball", 0.8f, 0.8f, ballX(i), 0.0f)->name, name.c_str());
    CopyText(Add(*scene, "ball", 0.8f, 0.8f, ballX(i), 0.0f)->name, (name + "_").c_str());
    scene->lastAdded->shown = 0;
  }
  for (int i = 0; i < balls; ++i) {
    const std::string type = prefix + "warp" + std::to_string(i);
    CopyText(Add(*scene, type.c_str(), 1.0f, 0.8f, ballX(i) + 0.81f, 0.0f)->target, missingWarp.c_str());
  }
  for (int i = 0; i < balls; ++i)
    CopyText(Add(*scene, "trigger", 0.8f, 0.99f, ballX(i), 1.0f)->target, (prefix + "door").c_str());
  return scene;
}

// Arg: objects of the realistic mix, or 0 - balls for the costliest level of
// that many balls within the map reader's bound.
void BM_GameTick(benchmark::State& state) {
  DXUTGetGlobalTimer()->Stop();
  DXUTGetGlobalTimer()->SetTime(100.0);
  SoundTable = new SoundStream*[SoundTableSize]{};
  SoundTable[6] = new SoundStream("objHit", "missing.mp3", 6);
  SoundTable[8] = new SoundStream("enterGoal", "missing.mp3", 8);
  SoundTable[9] = new SoundStream("doorOpen", "missing.mp3", 9);
  const int objects = static_cast<int>(state.range(0));
  CurrentScene = objects > 0 ? BuildLevel(objects) : BuildLevelAtMapBound(-objects);
  state.counters["objects"] = CurrentScene->objectCount;

  for (auto _ : state) {
    StepBalls();
    StepLevelObjects();
    DXUTGetGlobalTimer()->Advance(0.01);
  }

  delete CurrentScene;
  CurrentScene = nullptr;
  FreeSoundTable();
}

}  // namespace

BENCHMARK(BM_GameTick)
    ->Arg(60)
    ->Arg(600)
    ->Arg(-MapMovingPieceLimit / 2)
    ->Arg(-MapMovingPieceLimit * 3 / 4)
    ->Arg(-MapMovingPieceLimit)
    ->Unit(benchmark::kMicrosecond);
