#include "bench/render/skinned_model_file.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <vector>

namespace {

const char Identity[] = "1,0,0,0, 0,1,0,0, 0,0,1,0, ";

void WriteBoneFrames(std::ostringstream& x, int bone, int bones, float step) {
  x << "Frame Bone" << bone << " { FrameTransformMatrix { " << Identity << "0,"
    << (bone == 0 ? 0.0f : step) << ",0,1;; }\n";
  if (bone + 1 < bones) WriteBoneFrames(x, bone + 1, bones, step);
  x << "}\n";
}

// Two triangles a grid cell; the mesh and its normals share the list.
void WriteFaces(std::ostringstream& x, int segments, int rings) {
  const int columns = segments + 1;
  x << 2 * segments * rings << ";\n";
  for (int r = 0; r < rings; ++r)
    for (int s = 0; s < segments; ++s) {
      int a = r * columns + s, b = a + 1, c = a + columns, d = c + 1;
      bool last = r == rings - 1 && s == segments - 1;
      x << "3;" << a << "," << c << "," << d << ";,\n3;" << a << "," << d << "," << b
        << (last ? ";;\n" : ";,\n");
    }
}

}  // namespace

std::string SkinnedTubeModel(int segments, int rings, int bones) {
  const float height = 10.0f, step = height / bones;
  const int columns = segments + 1;
  const int vertices = columns * (rings + 1);
  std::ostringstream x;
  x << "xof 0303txt 0032\nFrame Root {\n";
  WriteBoneFrames(x, 0, bones, step);
  x << "Mesh Tube {\n" << vertices << ";\n";
  for (int r = 0; r <= rings; ++r)
    for (int s = 0; s < columns; ++s) {
      float angle = 2 * 3.14159265f * s / segments;
      x << std::cos(angle) << ";" << height * r / rings << ";" << std::sin(angle)
        << (r == rings && s == segments ? ";;\n" : ";,\n");
    }
  WriteFaces(x, segments, rings);
  x << "MeshNormals {\n" << vertices << ";\n";
  for (int v = 0; v < vertices; ++v) {
    float angle = 2 * 3.14159265f * (v % columns) / segments;
    x << std::cos(angle) << ";0;" << std::sin(angle) << (v + 1 == vertices ? ";;\n" : ";,\n");
  }
  WriteFaces(x, segments, rings);
  x << "}\nMeshTextureCoords {\n" << vertices << ";\n";
  for (int v = 0; v < vertices; ++v)
    x << float(v % columns) / segments << ";" << float(v / columns) / rings
      << (v + 1 == vertices ? ";;\n" : ";,\n");
  x << "}\nMeshMaterialList { 1; 1; 0;; Material { 0.8;0.8;0.8;1;; 8; 1;1;1;; 0;0;0;; } }\n";

  // Each ring's vertices go to the bone below its height and the one above.
  std::vector<std::vector<int>> influenced(bones);
  std::vector<std::vector<float>> weights(bones);
  for (int r = 0; r <= rings; ++r) {
    float at = float(r) / rings * (bones - 1);
    int low = std::min(int(at), bones - 1), high = std::min(low + 1, bones - 1);
    float upper = at - low;
    for (int s = 0; s < columns; ++s) {
      int v = r * columns + s;
      influenced[low].push_back(v);
      weights[low].push_back(high == low ? 1.0f : 1.0f - upper);
      if (high != low) {
        influenced[high].push_back(v);
        weights[high].push_back(upper);
      }
    }
  }
  x << "XSkinMeshHeader { 2; 4; " << bones << "; }\n";
  for (int b = 0; b < bones; ++b) {
    x << "SkinWeights { \"Bone" << b << "\"; " << influenced[b].size() << ";\n";
    for (size_t i = 0; i < influenced[b].size(); ++i)
      x << influenced[b][i] << (i + 1 == influenced[b].size() ? ";\n" : ",");
    for (size_t i = 0; i < weights[b].size(); ++i)
      x << weights[b][i] << (i + 1 == weights[b].size() ? ";\n" : ",");
    x << Identity << "0," << -step * b << ",0,1;;\n}\n";
  }
  x << "}\n}\n";
  return x.str();
}

std::string BonePerFaceModel(int faces) {
  std::ostringstream x;
  x << "xof 0303txt 0032\nFrame Root {\nMesh Pieces {\n" << 3 * faces << ";\n";
  for (int f = 0; f < faces; ++f)
    for (int k = 0; k < 3; ++k)
      x << f % 256 + (k == 1) << ";" << f / 256 + (k == 2) << ";0;" << (f + 1 == faces && k == 2 ? ";\n" : ",");
  x << faces << ";\n";
  for (int f = 0; f < faces; ++f)
    x << "3;" << 3 * f << "," << 3 * f + 1 << "," << 3 * f + 2 << (f + 1 == faces ? ";;\n" : ";,");
  for (int f = 0; f < faces; ++f)
    x << "SkinWeights { \"Root\"; 3; " << 3 * f << "," << 3 * f + 1 << "," << 3 * f + 2
      << "; 1,1,1; " << Identity << "0,0,0,1;; }\n";
  x << "}\n}\n";
  return x.str();
}
