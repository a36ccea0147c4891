#include "files/missing_data.h"

#include <cstdio>
#include <set>
#include <string>

u8 GameDataMissing = 0;

void ReportMissingData(const char* kind, const char* path) {
  GameDataMissing = 1;
  static std::set<std::string> named;
  if (named.insert(path).second) std::fprintf(stderr, "Tumblox: %s %s could not be loaded\n", kind, path);
}
