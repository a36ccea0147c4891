// The textures of the model being loaded. While a model loads, each texture
// file that its materials name is decoded once, however many materials and
// names lead to it, and its pixels are paid for from the model's memory
// budget; outside a load every texture is made on its own.
#pragma once
#include <sys/types.h>

#include <cstddef>
#include <map>
#include <utility>

#include "platform/d3d9/d3d9.h"

class ModelTextures {
 public:
  // Current on this thread until destroyed, which gives back its references.
  explicit ModelTextures(std::size_t budget);
  ~ModelTextures();
  ModelTextures(const ModelTextures&) = delete;
  ModelTextures& operator=(const ModelTextures&) = delete;

  // The model loading on this thread, or null.
  static ModelTextures* Current();

  // True when the file was met before in this load; `texture` is then what
  // it made, with a reference for the caller, or null when it made nothing.
  bool Find(dev_t device, ino_t inode, IDirect3DTexture9** texture) const;
  // Remembers what the file made (null: nothing).
  void Keep(dev_t device, ino_t inode, IDirect3DTexture9* texture);
  // Takes `bytes` of decoded pixels from the budget; false, taking nothing,
  // when they would pass it.
  bool Pay(std::size_t bytes);

 private:
  std::map<std::pair<dev_t, ino_t>, IDirect3DTexture9*> made_;
  std::size_t budgetLeft_;
  ModelTextures* previous_;
};
