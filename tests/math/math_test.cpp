#include <gtest/gtest.h>

#include <cmath>

#include "platform/d3dx9/d3dx9math.h"

namespace {

constexpr float kEps = 1e-5f;

D3DXVECTOR3 Apply(const D3DXMATRIX& m, float x, float y, float z) {
  D3DXVECTOR3 v(x, y, z), out;
  D3DXVec3TransformCoord(&out, &v, &m);
  return out;
}

void ExpectNear(const D3DXVECTOR3& v, float x, float y, float z) {
  EXPECT_NEAR(v.x, x, kEps);
  EXPECT_NEAR(v.y, y, kEps);
  EXPECT_NEAR(v.z, z, kEps);
}

void ExpectNear(const D3DXMATRIX& a, const D3DXMATRIX& b) {
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) EXPECT_NEAR(a(i, j), b(i, j), kEps) << i << "," << j;
}

const float kQuarter = D3DX_PI / 2;

}  // namespace

TEST(Matrix, RowVectorsAndLeftFactorFirst) {
  D3DXMATRIX t, r, tr, rt;
  D3DXMatrixTranslation(&t, 1, 2, 3);
  D3DXMatrixRotationZ(&r, kQuarter);
  // Translation sits in the fourth row.
  EXPECT_EQ(t._41, 1);
  EXPECT_EQ(t._42, 2);
  EXPECT_EQ(t._43, 3);
  ExpectNear(Apply(t, 1, 1, 1), 2, 3, 4);
  // t × r: move first, then turn; r × t: turn first, then move.
  D3DXMatrixMultiply(&tr, &t, &r);
  D3DXMatrixMultiply(&rt, &r, &t);
  ExpectNear(Apply(tr, 0, 0, 0), -2, 1, 3);
  ExpectNear(Apply(rt, 0, 0, 0), 1, 2, 3);
  // The output may alias an input.
  D3DXMatrixMultiply(&t, &t, &r);
  ExpectNear(t, tr);
}

// Each axis turns the left-handed way, and a quaternion about the axis turns
// as the axis's own matrix does.
TEST(Matrix, AxisRotationsTurnTheLeftHandedWayAsTheirQuaternions) {
  using Rotation = D3DXMATRIX* (*)(D3DXMATRIX*, float);
  const struct {
    Rotation rotate;
    D3DXVECTOR3 axis, from, to;
  } cases[] = {{D3DXMatrixRotationX, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
               {D3DXMatrixRotationY, {0, 1, 0}, {1, 0, 0}, {0, 0, -1}},
               {D3DXMatrixRotationY, {0, 1, 0}, {0, 0, 1}, {1, 0, 0}},
               {D3DXMatrixRotationZ, {0, 0, 1}, {1, 0, 0}, {0, 1, 0}}};
  for (const auto& c : cases) {
    D3DXMATRIX m, fromQ;
    ExpectNear(Apply(*c.rotate(&m, kQuarter), c.from.x, c.from.y, c.from.z), c.to.x, c.to.y, c.to.z);
    D3DXQUATERNION q;
    D3DXMatrixRotationQuaternion(&fromQ, D3DXQuaternionRotationAxis(&q, &c.axis, -1.2f));
    ExpectNear(fromQ, *c.rotate(&m, -1.2f));
  }
}

TEST(Matrix, YawPitchRollRollsThenPitchesThenYaws) {
  D3DXMATRIX m;
  // Roll takes x to y, then pitch takes y to z.
  ExpectNear(Apply(*D3DXMatrixRotationYawPitchRoll(&m, 0, kQuarter, kQuarter), 1, 0, 0), 0, 0, 1);
  // Pitch takes y to z, then yaw takes z to x.
  ExpectNear(Apply(*D3DXMatrixRotationYawPitchRoll(&m, kQuarter, kQuarter, 0), 0, 1, 0), 1, 0, 0);
  D3DXMATRIX y;
  ExpectNear(*D3DXMatrixRotationYawPitchRoll(&m, 0.3f, 0, 0), *D3DXMatrixRotationY(&y, 0.3f));
}

TEST(Matrix, PerspectiveMapsNearToZeroAndFarToOne) {
  D3DXMATRIX p;
  D3DXMatrixPerspectiveFovLH(&p, kQuarter, 2.0f, 1.0f, 3.0f);
  EXPECT_NEAR(p._11, 0.5f, kEps);  // cot(45°) / aspect
  EXPECT_NEAR(p._22, 1.0f, kEps);
  EXPECT_NEAR(p._34, 1.0f, kEps);  // w takes the view depth
  EXPECT_NEAR(Apply(p, 0, 0, 1).z, 0.0f, kEps);
  EXPECT_NEAR(Apply(p, 0, 0, 3).z, 1.0f, kEps);
  // The top edge of the view at depth 2 lands on y = 1.
  EXPECT_NEAR(Apply(p, 0, 2, 2).y, 1.0f, kEps);
}

TEST(Matrix, LookAtPutsTheTargetStraightAhead) {
  D3DXVECTOR3 eye(0, 0, -5), at(0, 0, 0), up(0, 1, 0);
  D3DXMATRIX v;
  D3DXMatrixLookAtLH(&v, &eye, &at, &up);
  ExpectNear(Apply(v, 0, 0, 0), 0, 0, 5);
  ExpectNear(Apply(v, 1, 1, 0), 1, 1, 5);
  // The game's camera: above and behind, looking at the origin.
  eye = D3DXVECTOR3(0, 25, -10);
  D3DXMatrixLookAtLH(&v, &eye, &at, &up);
  ExpectNear(Apply(v, 0, 0, 0), 0, 0, std::sqrt(725.0f));
  EXPECT_NEAR(Apply(v, 1, 0, 0).x, 1.0f, kEps);  // +x stays to the right
  EXPECT_GT(Apply(v, 0, 0, 1).y, 0.0f);         // farther along z is higher on screen
}

TEST(Vector, NormalizeKeepsDirectionAndLeavesZeroAlone) {
  D3DXVECTOR3 v(0, -3, 0), n;
  D3DXVec3Normalize(&n, &v);
  ExpectNear(n, 0, -1, 0);
  D3DXVECTOR3 zero;
  D3DXVec3Normalize(&n, &zero);
  ExpectNear(n, 0, 0, 0);
  D3DXVECTOR3 x(1, 0, 0), y(0, 1, 0), c;
  ExpectNear(*D3DXVec3Cross(&c, &x, &y), 0, 0, 1);
}

TEST(Quaternion, SlerpFollowsTheShorterArcAtConstantSpeed) {
  D3DXVECTOR3 y(0, 1, 0);
  D3DXQUATERNION a, b, mid, negB;
  D3DXQuaternionIdentity(&a);
  D3DXQuaternionRotationAxis(&b, &y, kQuarter);
  D3DXQuaternionSlerp(&mid, &a, &b, 0.25f);
  D3DXMATRIX m;
  D3DXMatrixRotationQuaternion(&m, &mid);
  float angle = kQuarter * 0.25f;
  ExpectNear(Apply(m, 1, 0, 0), std::cos(angle), 0, -std::sin(angle));
  // -b is the same turn; the result must not go the long way round.
  negB = {-b.x, -b.y, -b.z, -b.w};
  D3DXQuaternionSlerp(&mid, &a, &negB, 0.25f);
  D3DXMatrixRotationQuaternion(&m, &mid);
  ExpectNear(Apply(m, 1, 0, 0), std::cos(angle), 0, -std::sin(angle));
  D3DXQuaternionSlerp(&mid, &a, &b, 1.0f);
  EXPECT_NEAR(mid.y, b.y, kEps);
  EXPECT_NEAR(mid.w, b.w, kEps);
}
