// The models of one map as it loads. Each model is loaded for its own
// object; together they may hold at most MapModelByteLimit, so that no map
// can fill the memory or the frame time with copies of a large model.
#pragma once
#include <cstddef>
#include <string>
#include <unordered_map>

#include "platform/types.h"

struct MapLoad;

// Three and a half times what the game's largest map holds (18 MB): some 50
// copies of the sky, the largest model.
constexpr std::size_t MapModelByteLimit = std::size_t{64} << 20;

class MapModels {
 public:
  // Loads the model `file` for the object just added. One that does not
  // load is named once; one that would take the map past MapModelByteLimit
  // is left out, and its object stays without a model.
  void Load(const MapLoad& load, const std::string& file);
  // Says on standard error how many models were left out, if any.
  void Report(const char* path) const;

 private:
  std::size_t bytes_ = 0;
  std::unordered_map<std::string, std::size_t> bytesOfFile_;
  i32 leftOut_ = 0;
};
