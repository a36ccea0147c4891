// game_loop_bench MODE [SECONDS]: the game's own loop, offscreen, on the
// largest shipped level for SECONDS of real time (default 10), run from the
// source tree. MODE paced: as the game runs; unpaced: with a constant frame
// time, frames as fast as they come; paused: the framework paused all along.
// Prints the frames, the game steps, the processor time, the time from start
// to the first frame and the resident memory, one "name value" a line.
#include <SDL2/SDL.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "files/map_reader.h"
#include "game/flow_commands.h"
#include "game/frame_render.h"
#include "game/start_up.h"
#include "platform/dxut/command_line.h"
#include "platform/dxut/dxut.h"
#include "render/device_callbacks.h"
#include "sound/sound_table.h"
#include "world/scene.h"

namespace {

using Clock = std::chrono::steady_clock;

const Clock::time_point Start = Clock::now();
Clock::time_point FirstFrame;
long Frames = 0, Steps = 0;
const Scene* SteppedScene = nullptr;
f32 SteppedAt = 0.0f;

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long StatusKb(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(field, 0) == 0) return std::stol(line.substr(std::strlen(field) + 1));
  return 0;
}

std::string LargestLevel() {
  std::string best = "map1.mn";
  std::uintmax_t size = 0;
  for (const auto& entry : std::filesystem::directory_iterator("res/maps")) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("map", 0) != 0 || name == "map0.mn" || entry.file_size() <= size) continue;
    size = entry.file_size();
    best = name;
  }
  return best;
}

// Counts the game's steps: each moves the level's step clock.
void CountingFrameRender(IDirect3DDevice9* device, double time, float elapsed) {
  if (Frames++ == 0) FirstFrame = Clock::now();
  OnFrameRender(device, time, elapsed);
  const Scene* scene = CurrentScene;
  if (scene && scene == SteppedScene && scene->lastTickTime != SteppedAt) ++Steps;
  SteppedScene = scene;
  SteppedAt = scene ? scene->lastTickTime : 0.0f;
}

Uint32 CloseWindow(Uint32, void*) {
  SDL_Event close{};
  close.type = SDL_WINDOWEVENT;
  close.window.event = SDL_WINDOWEVENT_CLOSE;
  SDL_PushEvent(&close);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "paced";
  const double seconds = argc > 2 ? std::atof(argv[2]) : 10.0;
  std::vector<std::string> args = {argv[0], "-windowed", "-noerrormsgboxes"};
  if (mode == "unpaced") args.push_back("-constantframetime:0.01025");
  std::vector<char*> argvs;
  for (std::string& a : args) argvs.push_back(a.data());
  DXUTSetCommandLine(int(argvs.size()), argvs.data());

  // WinMain's steps, with a frame render that counts.
  DXUTSetCallbackDeviceCreated(OnDeviceCreated);
  DXUTSetCallbackDeviceReset(OnDeviceReset);
  DXUTSetCallbackDeviceLost(OnDeviceLost);
  DXUTSetCallbackDeviceDestroyed(OnDeviceDestroyed);
  DXUTSetCallbackMsgProc(OnWindowMessage);
  DXUTSetCallbackKeyboard(OnKeyboard);
  DXUTSetCallbackFrameRender(CountingFrameRender);
  DXUTSetCallbackFrameMove(OnFrameMove);
  DXUTSetCursorSettings(true, true);
  InitGame();
  DXUTInit(true, true, true);
  DXUTCreateWindow(u"Tumblox", nullptr, nullptr, nullptr, CW_USEDEFAULT, CW_USEDEFAULT);
  DXUTGetEnumeration()->SetPossibleVertexProcessingList(true, true, true, true);
  DXUTCreateDevice(D3DADAPTER_DEFAULT, false, DeviceWidth, DeviceHeight, OnIsDeviceAcceptable,
                   OnModifyDeviceSettings);
  const std::string level = LargestLevel();
  StartGame();
  LoadLevelMap(DXUTGetD3DDevice(), level.c_str());
  const double startUpMs = std::chrono::duration<double, std::milli>(Clock::now() - Start).count();

  if (mode == "paused") DXUTPause(true, true);
  const double cpuBefore = CpuSeconds();
  const Clock::time_point runStart = Clock::now();
  SDL_AddTimer(Uint32(seconds * 1000), CloseWindow, nullptr);
  const long residentKb = StatusKb("VmRSS:");
  DXUTMainLoop(nullptr);
  const double wall = std::chrono::duration<double>(Clock::now() - runStart).count();
  const double cpu = CpuSeconds() - cpuBefore;
  FreeSoundTable();

  std::printf("level %s\n", level.c_str());
  std::printf("frames %ld\n", Frames);
  std::printf("frame_ms %.3f\n", Frames ? wall * 1000.0 / double(Frames) : 0.0);
  std::printf("steps_per_second %.1f\n", double(Steps) / wall);
  std::printf("cpu_cores %.3f\n", cpu / wall);
  std::printf("start_to_level_ms %.0f\n", startUpMs);
  if (Frames)
    std::printf("start_to_first_frame_ms %.0f\n",
                std::chrono::duration<double, std::milli>(FirstFrame - Start).count());
  std::printf("resident_mb %.1f\n", double(std::max(residentKb, StatusKb("VmRSS:"))) / 1024.0);
  std::printf("peak_resident_mb %.1f\n", double(StatusKb("VmHWM:")) / 1024.0);
  return DXUTGetExitCode();
}
