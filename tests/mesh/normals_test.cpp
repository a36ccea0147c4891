#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "tests/mesh/mesh_helpers.h"

namespace {

struct SharedCorner {
  std::string what;
  std::vector<Vertex> vertices;  // vertex 0 is the corner the faces share
  std::vector<WORD> faces;
  D3DXVECTOR3 normal;  // expected at vertex 0
};

Vertex At(float x, float y, float z) { return {x, y, z, 0, 0, 0, 0, 0}; }

// Each face counts by its angle at the corner, not once nor by its area.
TEST(Normals, EachFaceCountsByItsAngleAtTheVertex) {
  const float third = 1 / std::sqrt(3.0f), fifth = 1 / std::sqrt(5.0f);
  const SharedCorner cases[] = {
      // A right angle facing -z and half a right angle facing -x, both of the
      // same area: the normal leans twice as far towards -z.
      {"right angle and half of one",
       {At(0, 0, 0), At(0, 1, 0), At(1, 0, 0), At(0, 0, 1), At(0, 1, 1)},
       {0, 1, 2, 0, 3, 4},
       {-fifth, 0, -2 * fifth}},
      // A cube's corner whose floor is cut into two triangles there points
      // along the diagonal all the same.
      {"cube corner, one side in two",
       {At(0, 0, 0), At(0, 1, 0), At(1, 0, 0), At(0, 0, 1), At(1, 0, 1)},
       {0, 1, 2, 0, 3, 1, 0, 2, 4, 0, 4, 3},
       {-third, -third, -third}},
  };
  for (const SharedCorner& c : cases) {
    RecordingDevice* device = new RecordingDevice();
    std::vector<DWORD> attributes(c.faces.size() / 3, 0);
    ID3DXMesh* mesh = MakeMesh(device, c.vertices, c.faces, attributes);
    ASSERT_NE(mesh, nullptr) << c.what;
    ASSERT_EQ(D3DXComputeNormals(mesh, nullptr), S_OK) << c.what;
    const Vertex corner = Contents<Vertex>(mesh, false)[0];
    EXPECT_NEAR(corner.nx, c.normal.x, 1e-6) << c.what;
    EXPECT_NEAR(corner.ny, c.normal.y, 1e-6) << c.what;
    EXPECT_NEAR(corner.nz, c.normal.z, 1e-6) << c.what;
    mesh->Release();
    device->Release();
  }
}

}  // namespace
