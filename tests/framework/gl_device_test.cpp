// The OpenGL device draws what the fixed-function pipeline would: checked
// pixel by pixel on a 128 × 96 back buffer, camera at the origin looking
// along +z, a square of side 2 at z = 5 covering the centre.
#include <algorithm>
#include <bit>
#include <cstring>

#include "tests/framework/gl_fixture.h"

namespace {

constexpr UINT kCx = 64, kCy = 48;  // the centre pixel
constexpr DWORD kBlack = 0xFF000000u, kWhite = 0xFFFFFFFFu;

D3DLIGHT9 Light(D3DLIGHTTYPE type, float brightness) {
  D3DLIGHT9 l{};
  l.Type = type;
  l.Diffuse = {brightness, brightness, brightness, 1};
  l.Direction = {0, 0, 1};
  l.Range = 1000;
  l.Attenuation0 = 1;
  return l;
}

}  // namespace

TEST_F(GLDeviceTest, DirectionalAndAmbientLightTheMaterialsGlowAndLightingOff) {
  SetMaterial(1, 0, 0);
  D3DLIGHT9 light = Light(D3DLIGHT_DIRECTIONAL, 1.0f);  // away from the camera, onto the front
  device_->SetLight(0, &light);
  device_->LightEnable(0, TRUE);
  DrawQuad(0, 0, 5, 2);
  Read();
  EXPECT_EQ(At(kCx, kCy), 0xFFFF0000u);

  light.Direction = {0, 0, -1};  // from behind: only the ambient, the state times the material's
  device_->SetLight(0, &light);
  device_->SetRenderState(D3DRS_AMBIENT, 0x33333333);
  DrawQuad(0, 0, 4, 2);
  Read();
  EXPECT_EQ(At(kCx, kCy), 0xFF330000u);

  D3DMATERIAL9 glowing{};  // its own colour adds to the light it gets
  glowing.Ambient = {1, 0, 0, 1};
  glowing.Emissive = {0, 0.4f, 0, 1};
  device_->SetMaterial(&glowing);
  DrawQuad(0, 0, 3.5f, 2);
  Read();
  EXPECT_EQ(At(kCx, kCy), 0xFF336600u);

  device_->SetRenderState(D3DRS_LIGHTING, FALSE);
  DrawQuad(0, 0, 3, 2);
  Read();
  EXPECT_EQ(At(kCx, kCy), kWhite);
}

TEST_F(GLDeviceTest, PointLightReachesOnlyWithinItsRangeAndFadesByAttenuation) {
  SetMaterial(1, 1, 1);
  D3DLIGHT9 light = Light(D3DLIGHT_POINT, 1.0f);
  light.Position = {0, 0, 3};  // 2 in front of the square's centre
  light.Range = 1.5f;
  device_->SetLight(0, &light);
  device_->LightEnable(0, TRUE);
  DrawQuad(0, 0, 5, 2, 8);
  Read();
  EXPECT_EQ(At(kCx, kCy), kBlack) << "out of range";

  light.Range = 3;
  device_->SetLight(0, &light);
  DrawQuad(0, 0, 4.9f, 2, 8);
  Read();
  EXPECT_GE(Red(At(kCx, kCy)), 250);

  light.Attenuation0 = 2;  // 1 / 2
  device_->SetLight(0, &light);
  DrawQuad(0, 0, 4.8f, 2, 8);
  Read();
  EXPECT_NEAR(Red(At(kCx, kCy)), 128, 4);
}

TEST_F(GLDeviceTest, SpotLightLightsInsideItsConeOnly) {
  SetMaterial(1, 1, 1);
  D3DLIGHT9 light = Light(D3DLIGHT_SPOT, 1.0f);
  light.Range = 100;
  light.Theta = 0.2f;  // full light within 0.1 rad of the axis
  light.Phi = 0.4f;    // none beyond 0.2 rad
  light.Falloff = 1;
  device_->SetLight(0, &light);
  device_->LightEnable(0, TRUE);
  DrawQuad(0, 0, 5, 12, 48);
  Read();
  Save("framework_spot");
  EXPECT_GE(Red(At(kCx, kCy)), 250);
  // 0.3 rad off the axis at z = 5 is 1.55 across: about 15 pixels.
  EXPECT_EQ(Red(At(kCx + 20, kCy)), 0);
  EXPECT_EQ(Red(At(kCx, kCy + 20)), 0);
  const int between = Red(At(kCx + 9, kCy));  // between the cones the light fades
  EXPECT_GT(between, 10);
  EXPECT_LT(between, 245);

  // The level's spot light: an outer cone wider than a half turn (phi 5)
  // and a steep falloff (80) still light the axis fully and fade off it.
  light.Theta = 0.5f;
  light.Phi = 5.0f;
  light.Falloff = 80;
  device_->SetLight(0, &light);
  DrawQuad(0, 0, 4.9f, 12, 48);
  Read();
  EXPECT_GE(Red(At(kCx, kCy)), 250);
  // 0.35 rad off the axis: ((cos 0.35 - cos 2.5) / (cos 0.25 - cos 2.5))^80,
  // a quarter.
  const int off = Red(At(kCx + 18, kCy));
  EXPECT_GT(off, 30);
  EXPECT_LT(off, 110);
  EXPECT_LT(Red(At(kCx + 30, kCy)), 5) << "0.56 rad off: next to nothing";
}

TEST_F(GLDeviceTest, DepthTestAndTheNearAndFarPlanes) {
  device_->SetRenderState(D3DRS_LIGHTING, FALSE);
  DrawQuad(0, 0, 0.9f, 0.2f);  // nearer than the near plane at 1
  DrawQuad(0, 0, 101, 30);     // beyond the far plane at 100
  Read();
  EXPECT_EQ(At(kCx, kCy), kBlack);
  DrawQuad(0, 0, 99, 30);
  device_->SetRenderState(D3DRS_AMBIENT, 0xFF0000FF);
  device_->SetRenderState(D3DRS_LIGHTING, TRUE);
  SetMaterial(1, 1, 1);
  DrawQuad(0, 0, 99.5f, 30);  // behind the first: hidden
  Read();
  EXPECT_EQ(At(kCx, kCy), kWhite);

  device_->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);  // the last one drawn is seen
  DrawQuad(0, 0, 99.5f, 30);
  Read();
  EXPECT_EQ(At(kCx, kCy), 0xFF0000FFu);
}

TEST_F(GLDeviceTest, CounterClockwiseFacesAreCulledUnlessCullingIsOffAndWireframeDrawsEdges) {
  device_->SetRenderState(D3DRS_LIGHTING, FALSE);
  struct Case {
    DWORD cull;
    bool clockwise, seen;
  };
  for (Case c : {Case{D3DCULL_CCW, false, false}, {D3DCULL_NONE, false, true},
                 {D3DCULL_CW, true, false}, {D3DCULL_CW, false, true}}) {
    device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    device_->SetRenderState(D3DRS_CULLMODE, c.cull);
    DrawQuad(0, 0, 5, 2, 1, c.clockwise);
    Read();
    EXPECT_EQ(At(kCx, kCy), c.seen ? kWhite : kBlack) << c.cull << " " << c.clockwise;
  }
  // Wireframe: the square's edges only, its middle left clear.
  device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
  device_->SetRenderState(D3DRS_FILLMODE, D3DFILL_WIREFRAME);
  DrawQuad(0, 0, 5, 2, 1, false);
  Read();
  const auto lit = std::count(pixels_.begin(), pixels_.end(), kWhite);
  EXPECT_EQ(At(kCx + 4, kCy - 4), kBlack);
  EXPECT_GT(lit, 40);   // a filled square is about 370 pixels
  EXPECT_LT(lit, 150);
}

TEST_F(GLDeviceTest, PretransformedVerticesAreBackBufferPixelsAndBlendWithAlpha) {
  auto rect = [this](float l, float t, float r, float b, D3DCOLOR c) {
    const ScreenVertex v[4] = {{l, t, 0.5f, 1, c, 0, 0},
                               {r, t, 0.5f, 1, c, 1, 0},
                               {l, b, 0.5f, 1, c, 0, 1},
                               {r, b, 0.5f, 1, c, 1, 1}};
    device_->SetFVF(kScreenFvf);
    EXPECT_EQ(device_->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, v, sizeof(ScreenVertex)), D3D_OK);
  };
  device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  rect(10, 10, 20, 20, 0xFF00FF00);
  Read();
  EXPECT_EQ(At(10, 10), 0xFF00FF00u);
  EXPECT_EQ(At(19, 19), 0xFF00FF00u);
  for (auto [x, y] : {std::pair{9, 10}, {10, 9}, {20, 19}, {19, 20}})
    EXPECT_EQ(At(UINT(x), UINT(y)), kBlack) << x << "," << y;

  device_->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
  device_->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
  device_->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
  rect(30, 30, 40, 40, 0x80FFFFFF);
  Read();
  EXPECT_NEAR(Red(At(35, 35)), 128, 2);
}

TEST_F(GLDeviceTest, VertexBlendingPlacesVerticesByTheirWeights) {
  // A unit square at z = 5, every vertex with the same weights, white.
  auto draw = [this](DWORD fvf, const std::vector<float>& weights) {
    std::vector<DWORD> v;
    for (auto [x, y] : {std::pair{-0.5f, 0.5f}, {0.5f, 0.5f}, {-0.5f, -0.5f}, {0.5f, -0.5f}}) {
      for (float f : {x, y, 5.0f}) v.push_back(std::bit_cast<DWORD>(f));
      for (float w : weights) v.push_back(std::bit_cast<DWORD>(w));
      v.push_back(kWhite);
    }
    const UINT stride = UINT(sizeof(DWORD) * (4 + weights.size()));
    device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    DrawIndexed(device_, fvf | D3DFVF_DIFFUSE, v.data(), stride, 4, {0, 1, 2, 2, 1, 3});
    Read();
  };
  device_->SetRenderState(D3DRS_LIGHTING, FALSE);
  D3DXMATRIX left, right, up;
  D3DXMatrixTranslation(&left, -3, 0, 0);
  D3DXMatrixTranslation(&right, 3, 0, 0);
  D3DXMatrixTranslation(&up, 0, 6, 0);
  const D3DXMATRIX* worlds[6] = {&left, &right, &up, &up, &left, &right};
  for (DWORD i = 0; i < 6; ++i) device_->SetTransform(D3DTS_WORLDMATRIX(i), worlds[i]);
  const UINT leftX = kCx - 29, rightX = kCx + 29;  // 3 across at z = 5
  struct Case {
    const char* name;
    DWORD fvf;
    std::vector<float> weights;
    DWORD blend;
    BOOL software;
    UINT whiteX, blackX;
  };
  const Case cases[] = {
      {"all matrix 0", D3DFVF_XYZB1, {1}, D3DVBF_1WEIGHTS, FALSE, leftX, rightX},
      {"all the last matrix", D3DFVF_XYZB1, {0}, D3DVBF_1WEIGHTS, FALSE, rightX, leftX},
      {"blending off: matrix 0 places all", D3DFVF_XYZB1, {0}, D3DVBF_DISABLE, FALSE, leftX, rightX},
      {"software: all on the sixth", D3DFVF_XYZB5, {0, 0, 0, 0, 0}, 5, TRUE, rightX, leftX},
      {"software: half the first, half the fifth", D3DFVF_XYZB5, {0.5f, 0, 0, 0, 0.5f}, 5, TRUE, leftX, kCx},
      {"five weights, beyond the hardware: matrix 0", D3DFVF_XYZB5, {0, 0, 0, 0, 0}, 5, FALSE, leftX,
       rightX},
  };
  for (const Case& c : cases) {
    device_->SetRenderState(D3DRS_VERTEXBLEND, c.blend);
    device_->SetSoftwareVertexProcessing(c.software);
    draw(c.fvf, c.weights);
    EXPECT_EQ(At(c.whiteX, kCy), kWhite) << c.name;
    EXPECT_EQ(At(c.blackX, kCy), kBlack) << c.name;
  }
}

TEST_F(GLDeviceTest, DrawsOutsideASceneOrPastTheirBuffersAreRefused) {
  IDirect3DVertexBuffer9* vb = nullptr;
  IDirect3DIndexBuffer9* ib = nullptr;
  device_->CreateVertexBuffer(3 * sizeof(LitVertex), 0, kLitFvf, D3DPOOL_MANAGED, &vb, nullptr);
  device_->CreateIndexBuffer(6, 0, D3DFMT_INDEX16, D3DPOOL_MANAGED, &ib, nullptr);
  WORD* index;
  ib->Lock(0, 0, reinterpret_cast<void**>(&index), 0);
  index[0] = 0, index[1] = 1, index[2] = 3;  // one past the last vertex
  ib->Unlock();
  device_->SetFVF(kLitFvf);
  device_->SetStreamSource(0, vb, 0, sizeof(LitVertex));
  device_->SetIndices(ib);
  EXPECT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 3, 0, 1), D3DERR_INVALIDCALL);
  EXPECT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 3, 1, 1), D3DERR_INVALIDCALL)
      << "more indices than the buffer holds";
  ib->Lock(0, 0, reinterpret_cast<void**>(&index), 0);
  index[2] = 2;
  ib->Unlock();
  EXPECT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 3, 0, 1), D3D_OK);
  EXPECT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 1, 0, 3, 0, 1), D3DERR_INVALIDCALL)
      << "the base vertex moves the last index out";
  ASSERT_EQ(device_->EndScene(), D3D_OK);
  EXPECT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 3, 0, 1), D3DERR_INVALIDCALL);
  EXPECT_EQ(device_->EndScene(), D3DERR_INVALIDCALL);
  ASSERT_EQ(device_->BeginScene(), D3D_OK);
  EXPECT_EQ(device_->BeginScene(), D3DERR_INVALIDCALL);
  device_->SetStreamSource(0, nullptr, 0, 0);
  device_->SetIndices(nullptr);
  vb->Release();
  ib->Release();
}

TEST_F(GLDeviceTest, LightsAreCheckedAndEightAtMost) {
  D3DLIGHT9 spot{};
  spot.Type = D3DLIGHT_SPOT;
  spot.Range = 10;
  EXPECT_EQ(device_->SetLight(0, &spot), D3DERR_INVALIDCALL) << "a spot light needs a direction";
  D3DLIGHT9 kindless{};
  EXPECT_EQ(device_->SetLight(0, &kindless), D3DERR_INVALIDCALL);
  for (DWORD i = 0; i < 8; ++i) EXPECT_EQ(device_->LightEnable(i, TRUE), D3D_OK);
  EXPECT_EQ(device_->LightEnable(8, TRUE), D3DERR_INVALIDCALL) << "eight lights at most";
  EXPECT_EQ(device_->LightEnable(3, FALSE), D3D_OK);
  EXPECT_EQ(device_->LightEnable(8, TRUE), D3D_OK);
}

TEST_F(GLDeviceTest, ResetResizesTheBackBufferAndRestoresDefaultsButKeepsTextures) {
  IDirect3DTexture9* texture = nullptr;
  ASSERT_EQ(device_->CreateTexture(2, 2, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr),
            D3D_OK);
  D3DLOCKED_RECT locked;
  ASSERT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
  const DWORD texels[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF123456};
  std::memcpy(locked.pBits, texels, 8);
  std::memcpy(static_cast<BYTE*>(locked.pBits) + locked.Pitch, texels + 2, 8);
  ASSERT_EQ(texture->UnlockRect(0), D3D_OK);
  device_->SetRenderState(D3DRS_LIGHTING, FALSE);
  device_->EndScene();

  ASSERT_EQ(ResetGLDevice(device_, 64, 48), D3D_OK);
  DWORD lighting = 0;
  device_->GetRenderState(D3DRS_LIGHTING, &lighting);
  EXPECT_EQ(lighting, DWORD(TRUE));

  // The texture, top-left texel first, drawn into the new back buffer;
  // smaller than the window, it is a buffer of its own, scaled into the
  // window at present and still there after it.
  device_->BeginScene();
  device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
  SetCamera();
  device_->SetRenderState(D3DRS_LIGHTING, FALSE);
  device_->SetTexture(0, texture);
  DrawQuad(0, 0, 5, 4);
  device_->SetTexture(0, nullptr);
  texture->Release();
  device_->EndScene();
  EXPECT_EQ(device_->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
  Read();
  Save("framework_texture");
  EXPECT_EQ(width_, 64u);
  EXPECT_EQ(height_, 48u);
  EXPECT_EQ(At(27, 19), texels[0]);
  EXPECT_EQ(At(37, 19), texels[1]);
  EXPECT_EQ(At(27, 29), texels[2]);
  EXPECT_EQ(At(37, 29), texels[3]);
  EXPECT_EQ(At(63, 47), kBlack);
  EXPECT_EQ(At(0, 0), kBlack);
  device_->BeginScene();
}

TEST_F(GLDeviceTest, CheckDeviceFormatAcceptsTheGamesFormatsOnTheFirstAdapter) {
  IDirect3D9* d3d = CreateGLDirect3D9();
  auto check = [d3d](UINT adapter, D3DDEVTYPE type, DWORD usage, D3DFORMAT format) {
    return d3d->CheckDeviceFormat(adapter, type, D3DFMT_X8R8G8B8, usage, D3DRTYPE_TEXTURE, format);
  };
  const DWORD blending = D3DUSAGE_QUERY_POSTPIXELSHADER_BLENDING;
  EXPECT_EQ(check(0, D3DDEVTYPE_HAL, blending, D3DFMT_X8R8G8B8), D3D_OK);
  EXPECT_EQ(check(0, D3DDEVTYPE_REF, blending, D3DFMT_A8R8G8B8), D3D_OK);
  EXPECT_NE(check(0, D3DDEVTYPE_HAL, 0, D3DFMT_A8), D3D_OK);
  EXPECT_NE(check(1, D3DDEVTYPE_HAL, 0, D3DFMT_X8R8G8B8), D3D_OK);
  d3d->Release();
}

TEST_F(GLDeviceTest, CapsAreThoseOfAHardwareDeviceThatBlends) {
  D3DCAPS9 adapter, device;
  GetGLDeviceCaps(D3DDEVTYPE_HAL, &adapter);
  ASSERT_EQ(device_->GetDeviceCaps(&device), D3D_OK);
  for (const D3DCAPS9& caps : {adapter, device}) {
    EXPECT_TRUE(caps.DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT);
    EXPECT_GE(caps.VertexShaderVersion, DWORD(D3DVS_VERSION(1, 1)));
    EXPECT_GE(caps.MaxVertexBlendMatrices, 2u);
  }
}
