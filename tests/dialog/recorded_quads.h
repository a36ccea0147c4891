// Reads back the quads a recording device was asked to draw.
#pragma once
#include <vector>

#include "platform/d3d9/recording_device.h"
#include "platform/d3dx9/sprite_batch.h"

struct RecordedQuad {
  IDirect3DTexture9* texture;
  // Pixels the quad covers (the half-pixel offset taken back out).
  float left, top, right, bottom;
  float u0, v0, u1, v1;
  D3DCOLOR color;
};

struct RecordedDraw {
  IDirect3DTexture9* texture;
  std::vector<RecordedQuad> quads;
};

// Every DrawPrimitiveUP of sprite vertices, with the texture bound for it.
inline std::vector<RecordedDraw> RecordedDraws(const RecordingDevice& device) {
  std::vector<RecordedDraw> draws;
  IDirect3DTexture9* texture = nullptr;
  for (const RecordedCall& call : device.calls) {
    if (call.op == "SetTexture" && call.args[0] == 0)
      texture = static_cast<IDirect3DTexture9*>(const_cast<void*>(call.object));
    if (call.op != "DrawPrimitiveUP") continue;
    RecordedDraw draw{texture, {}};
    const auto* v = reinterpret_cast<const SpriteVertex*>(call.vertices.data());
    size_t count = call.vertices.size() / sizeof(SpriteVertex);
    for (size_t i = 0; i + 6 <= count; i += 6) {
      // Each quad is two triangles: top-left, top-right, bottom-left, then
      // top-right, bottom-right, bottom-left.
      const SpriteVertex& tl = v[i];
      const SpriteVertex& br = v[i + 4];
      draw.quads.push_back({texture, tl.x + 0.5f, tl.y + 0.5f, br.x + 0.5f, br.y + 0.5f, tl.u, tl.v,
                            br.u, br.v, tl.color});
    }
    draws.push_back(draw);
  }
  return draws;
}

inline std::vector<RecordedQuad> AllQuads(const RecordingDevice& device) {
  std::vector<RecordedQuad> quads;
  for (const RecordedDraw& draw : RecordedDraws(device))
    quads.insert(quads.end(), draw.quads.begin(), draw.quads.end());
  return quads;
}
