// Pictures packed side by side into pages of pixels that live on the device
// as textures: glyphs of a font, faces of buttons. Drawing one is a sprite
// quad with its page and rectangle, so a screenful of them takes a draw or two.
#pragma once
#include <vector>

#include "platform/d3d9/d3d9.h"
#include "platform/types.h"

class SpriteAtlas {
 public:
  explicit SpriteAtlas(int pageSize) : pageSize_(pageSize) {}
  SpriteAtlas(const SpriteAtlas&) = delete;
  SpriteAtlas& operator=(const SpriteAtlas&) = delete;
  ~SpriteAtlas() { ReleaseTextures(); }

  // Room for width × height pixels, on the last page or a new one; false when
  // they are larger than a page. The pixels start transparent white.
  bool Reserve(int width, int height, int* page, RECT* where);
  // Row `y` of a page, 0xAARRGGBB; writing marks the page for upload.
  u32* Row(int page, int y);

  // Sends every page that changed to the device, making its texture first
  // when needed.
  HRESULT Upload(IDirect3DDevice9* device);
  IDirect3DTexture9* PageTexture(int page) const { return pages_[page].texture; }
  // Lets go of the textures; the pixels stay for the next upload.
  void ReleaseTextures();

 private:
  struct Page {
    std::vector<u32> pixels;
    IDirect3DTexture9* texture = nullptr;
    bool dirty = true;
  };

  int pageSize_;
  std::vector<Page> pages_;
  int shelfX_ = 0, shelfY_ = 0, shelfHeight_ = 0;  // where the last page is being filled
};
