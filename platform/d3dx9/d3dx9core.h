// Fonts and sprites of the utility library: text and textured quads drawn
// in back-buffer pixels over the scene.
#pragma once
#include "platform/d3d9/d3d9.h"
#include "platform/d3dx9/d3dx9math.h"

// Text formats of ID3DXFont::DrawTextW.
#define DT_TOP 0x00000000
#define DT_LEFT 0x00000000
#define DT_CENTER 0x00000001
#define DT_RIGHT 0x00000002
#define DT_VCENTER 0x00000004
#define DT_BOTTOM 0x00000008
#define DT_NOCLIP 0x00000100
#define DT_CALCRECT 0x00000400

// Font weights.
#define FW_NORMAL 400
#define FW_BOLD 700

#define DEFAULT_CHARSET 1
#define OUT_DEFAULT_PRECIS 0
#define DEFAULT_QUALITY 0
#define DEFAULT_PITCH 0

// Begin flags of ID3DXSprite.
#define D3DXSPRITE_ALPHABLEND 0x00000010

// Batches textured quads and draws them with as few device calls as it can:
// consecutive quads of one texture go out in one DrawPrimitiveUP. Positions
// are back-buffer pixels; the quad keeps the source rectangle's size.
class ID3DXSprite : public IUnknown {
 public:
  virtual HRESULT GetDevice(IDirect3DDevice9** device) = 0;
  // Saves the render states it changes and starts a batch; with
  // D3DXSPRITE_ALPHABLEND the texels' alpha blends them over the picture.
  virtual HRESULT Begin(DWORD flags) = 0;
  // `source` null takes the whole texture; `center` null is (0, 0); the
  // texture's `center` point lands on `position` (null: the origin). `color`
  // multiplies the texels.
  virtual HRESULT Draw(IDirect3DTexture9* texture, const RECT* source, const D3DXVECTOR3* center,
                       const D3DXVECTOR3* position, D3DCOLOR color) = 0;
  // Draws what is batched so far.
  virtual HRESULT Flush() = 0;
  // Draws the batch and gives the device back its saved states.
  virtual HRESULT End() = 0;
  virtual HRESULT OnLostDevice() = 0;
  virtual HRESULT OnResetDevice() = 0;
};

// A face at one pixel height whose glyphs are rasterised on first use into
// textures of the device and kept there.
class ID3DXFont : public IUnknown {
 public:
  virtual HRESULT GetDevice(IDirect3DDevice9** device) = 0;
  // Draws `count` characters of UTF-16 `text` (-1: up to the terminator)
  // laid out in `rect` by `format`: '\n' (or "\r\n") starts a new line and
  // '\t' moves to the next tab stop. Draws through `sprite` when one is given
  // (its batch), else through a sprite of its own. DT_CALCRECT only measures,
  // writing the extent into `rect`. Returns the height of the text in pixels,
  // 0 on failure.
  virtual INT DrawTextW(ID3DXSprite* sprite, LPCWSTR text, INT count, RECT* rect, DWORD format,
                        D3DCOLOR color) = 0;
  // Gives back the font's device objects; they are made again on use.
  virtual HRESULT OnLostDevice() = 0;
  virtual HRESULT OnResetDevice() = 0;
};

// Finds `faceName` among the installed faces (the closest installed face when
// it is missing) at `height` pixels: above 0 the cell height (ascent plus
// descent), below 0 the em height. `weight` 400 is normal, 700 bold. `width`,
// the mip levels, character set, precisions, quality and pitch are taken as
// their defaults.
HRESULT D3DXCreateFontW(IDirect3DDevice9* device, INT height, UINT width, UINT weight,
                        UINT mipLevels, BOOL italic, DWORD charSet, DWORD outputPrecision,
                        DWORD quality, DWORD pitchAndFamily, LPCWSTR faceName, ID3DXFont** font);

HRESULT D3DXCreateSprite(IDirect3DDevice9* device, ID3DXSprite** sprite);
