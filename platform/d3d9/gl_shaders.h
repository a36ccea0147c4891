// The programs that do the fixed-function pipeline's work: transform, the
// per-vertex lighting of up to 8 lights with the device's meanings of range,
// attenuation and spot cones, and texture × colour. One program per
// combination of what a draw needs, made on first use.
#pragma once
#include <unordered_map>

#include "platform/d3d9/gl_api.h"

enum ShaderFeature : unsigned {
  kShaderPretransformed = 1u << 0,
  kShaderLighting = 1u << 1,
  kShaderNormal = 1u << 2,
  kShaderVertexColor = 1u << 3,
  kShaderTexture = 1u << 4,
  kShaderSpecular = 1u << 5,
  kShaderNormalize = 1u << 6,
};
constexpr int kShaderLightShift = 8;  // then 2 bits per active light: its type

enum ShaderAttribute : GLuint { kAttribPosition, kAttribNormal, kAttribColor, kAttribTexCoord };

struct ShaderProgram {
  GLuint program = 0;
  GLint mvp, modelView, normalMatrix, screen;
  GLint matDiffuse, matAmbient, matSpecular, matEmissive, power, ambient;
  GLint lightPos, lightDir, lightDiffuse, lightSpecular, lightAmbient, lightAtten, lightSpot;
  // Generations of the values last handed to this program.
  unsigned transformGen = 0, materialGen = 0, lightGen = 0, screenGen = 0;
};

class ShaderCache {
 public:
  ~ShaderCache();
  // The program for `key` (features and light types); null when OpenGL
  // cannot build it.
  ShaderProgram* Get(unsigned key);

 private:
  std::unordered_map<unsigned, ShaderProgram> programs_;
};
