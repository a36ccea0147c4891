#include "platform/d3dx9/model_textures.h"

namespace {

thread_local ModelTextures* current = nullptr;

}  // namespace

ModelTextures::ModelTextures(std::size_t budget) : budgetLeft_(budget), previous_(current) { current = this; }

ModelTextures::~ModelTextures() {
  for (auto& [file, texture] : made_)
    if (texture) texture->Release();
  current = previous_;
}

ModelTextures* ModelTextures::Current() { return current; }

bool ModelTextures::Find(dev_t device, ino_t inode, IDirect3DTexture9** texture) const {
  auto known = made_.find({device, inode});
  if (known == made_.end()) return false;
  *texture = known->second;
  if (*texture) (*texture)->AddRef();
  return true;
}

void ModelTextures::Keep(dev_t device, ino_t inode, IDirect3DTexture9* texture) {
  if (made_.try_emplace({device, inode}, texture).second && texture) texture->AddRef();
}

bool ModelTextures::Pay(std::size_t bytes) {
  if (bytes > budgetLeft_) return false;
  budgetLeft_ -= bytes;
  return true;
}
