#include <cstdio>
#include <filesystem>
#include <system_error>

#include "game/start_up.h"

bool ReportMissingGameData() {
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::current_path(error);
  const char* needed[] = {"res/maps/map1.mn", "res/images", "res/sounds"};
  bool missing = false;
  for (const char* path : needed) {
    if (std::filesystem::exists(path, error)) continue;
    std::fprintf(stderr, "Tumblox: game data missing: %s/%s\n", folder.c_str(), path);
    missing = true;
  }
  if (missing)
    std::fprintf(stderr, "Tumblox: start it from its own folder, as ./play.sh does.\n");
  return missing;
}
