#include "platform/d3d9/gl_shaders.h"

#include <cstdio>
#include <string>

namespace {

const char* kFragment = R"(#version 120
varying vec4 vColor;
varying vec4 vSpecular;
varying vec2 vTex;
uniform sampler2D uTexture;
void main() {
  vec4 c = vColor;
#ifdef TEXTURE
  c *= texture2D(uTexture, vTex);
#endif
#ifdef SPECULAR
  c.rgb = min(c.rgb + vSpecular.rgb, 1.0);
#endif
  gl_FragColor = c;
}
)";

const char* kVertexHead = R"(#version 120
attribute vec4 aPosition;
attribute vec3 aNormal;
attribute vec4 aColor;
attribute vec2 aTexCoord;
uniform mat4 uMVP;
uniform mat4 uModelView;
uniform mat3 uNormalMatrix;
uniform vec4 uScreen;
uniform vec4 uMatDiffuse, uMatAmbient, uMatSpecular, uMatEmissive;
uniform float uPower;
uniform vec4 uAmbient;
uniform vec3 uLightPos[8];
uniform vec3 uLightDir[8];
uniform vec4 uLightDiffuse[8], uLightSpecular[8], uLightAmbient[8];
uniform vec4 uLightAtten[8];  // constant, linear, quadratic, range
uniform vec3 uLightSpot[8];   // cos(theta / 2), cos(phi / 2), falloff
varying vec4 vColor;
varying vec4 vSpecular;
varying vec2 vTex;

vec3 gDiffuse, gAmbient, gSpecular;
vec3 gN, gP;

void Add(int i, vec3 L, float scale) {
  gAmbient += scale * uLightAmbient[i].rgb;
  gDiffuse += scale * max(dot(gN, L), 0.0) * uLightDiffuse[i].rgb;
#ifdef SPECULAR
  vec3 H = normalize(L - normalize(gP));
  gSpecular += scale * pow(max(dot(gN, H), 0.0), uPower) * uLightSpecular[i].rgb;
#endif
}

void Directional(int i) { Add(i, -uLightDir[i], 1.0); }

void Positional(int i, bool spot) {
  vec3 D = uLightPos[i] - gP;
  float d = length(D);
  if (d > uLightAtten[i].w) return;
  vec3 L = D / max(d, 1e-20);
  float a = uLightAtten[i].x + uLightAtten[i].y * d + uLightAtten[i].z * d * d;
  float scale = 1.0 / max(a, 1e-20);
  if (spot) {
    float rho = dot(-L, uLightDir[i]);
    float inner = uLightSpot[i].x, outer = uLightSpot[i].y;
    if (rho <= outer) return;
    if (rho <= inner) scale *= pow((rho - outer) / (inner - outer), uLightSpot[i].z);
  }
  Add(i, L, scale);
}

void main() {
#ifdef VERTEX_COLOR
  vec4 color = aColor.bgra;
#else
  vec4 color = vec4(1.0);
#endif
  vSpecular = vec4(0.0);
  vTex = aTexCoord;
#ifdef PRETRANSFORMED
  gl_Position = vec4(aPosition.x * uScreen.x + uScreen.z, aPosition.y * uScreen.y + uScreen.w,
                     aPosition.z * 2.0 - 1.0, 1.0);
  vColor = color;
#else
  gl_Position = uMVP * vec4(aPosition.xyz, 1.0);
#ifdef LIGHTING
  gP = (uModelView * vec4(aPosition.xyz, 1.0)).xyz;
  gN = vec3(0.0);
#ifdef NORMAL
  gN = uNormalMatrix * aNormal;
#ifdef NORMALIZE
  gN = normalize(gN);
#endif
#endif
  vec4 diffuse = uMatDiffuse;
#ifdef VERTEX_COLOR
  diffuse = color;
#endif
  gDiffuse = vec3(0.0);
  gAmbient = uAmbient.rgb;
  gSpecular = vec3(0.0);
  LIGHTS
  vColor = clamp(vec4(uMatAmbient.rgb * gAmbient + diffuse.rgb * gDiffuse + uMatEmissive.rgb,
                      diffuse.a), 0.0, 1.0);
  vSpecular = vec4(clamp(uMatSpecular.rgb * gSpecular, 0.0, 1.0), 0.0);
#else
  vColor = color;
#endif
#endif
}
)";

// Whether the shader or program built; when not, its log goes to stderr.
bool Built(GLuint object, GLenum status, decltype(&glGetShaderiv) getStatus,
           decltype(&glGetShaderInfoLog) getLog, const char* failure) {
  GLint ok = 0;
  getStatus(object, status, &ok);
  if (ok) return true;
  char log[2048];
  getLog(object, sizeof log, nullptr, log);
  std::fprintf(stderr, "%s: %s\n", failure, log);
  return false;
}

GLuint Compile(GLenum type, const std::string& source) {
  GLuint shader = glCreateShader(type);
  const char* text = source.c_str();
  glShaderSource(shader, 1, &text, nullptr);
  glCompileShader(shader);
  if (!Built(shader, GL_COMPILE_STATUS, glGetShaderiv, glGetShaderInfoLog,
             "shader does not compile")) {
    glDeleteShader(shader);
    return 0;
  }
  return shader;
}

std::string Defines(unsigned key) {
  std::string d;
  if (key & kShaderPretransformed) d += "#define PRETRANSFORMED\n";
  if (key & kShaderLighting) d += "#define LIGHTING\n";
  if (key & kShaderNormal) d += "#define NORMAL\n";
  if (key & kShaderVertexColor) d += "#define VERTEX_COLOR\n";
  if (key & kShaderTexture) d += "#define TEXTURE\n";
  if (key & kShaderSpecular) d += "#define SPECULAR\n";
  if (key & kShaderNormalize) d += "#define NORMALIZE\n";
  return d;
}

// One call per active light, by its type (1 point, 2 spot, 3 directional).
std::string LightCalls(unsigned key) {
  std::string calls;
  for (int i = 0; i < 8; ++i) {
    const unsigned type = (key >> (kShaderLightShift + 2 * i)) & 3u;
    const std::string n = std::to_string(i);
    if (type == 1) calls += "Positional(" + n + ", false);";
    if (type == 2) calls += "Positional(" + n + ", true);";
    if (type == 3) calls += "Directional(" + n + ");";
  }
  return calls;
}

std::string VertexSource(unsigned key) {
  std::string body = kVertexHead;
  const size_t at = body.find("LIGHTS");
  body.replace(at, 6, LightCalls(key));
  // The defines go after the #version line.
  const size_t line = body.find('\n') + 1;
  body.insert(line, Defines(key));
  return body;
}

std::string FragmentSource(unsigned key) {
  std::string body = kFragment;
  body.insert(body.find('\n') + 1, Defines(key));
  return body;
}

}  // namespace

ShaderCache::~ShaderCache() {
  for (auto& [key, p] : programs_)
    if (p.program) glDeleteProgram(p.program);
}

ShaderProgram* ShaderCache::Get(unsigned key) {
  auto found = programs_.find(key);
  if (found != programs_.end()) return found->second.program ? &found->second : nullptr;

  ShaderProgram& p = programs_[key];
  GLuint vs = Compile(GL_VERTEX_SHADER, VertexSource(key));
  GLuint fs = Compile(GL_FRAGMENT_SHADER, FragmentSource(key));
  if (!vs || !fs) {
    if (vs) glDeleteShader(vs);
    if (fs) glDeleteShader(fs);
    return nullptr;
  }
  GLuint program = glCreateProgram();
  glAttachShader(program, vs);
  glAttachShader(program, fs);
  glBindAttribLocation(program, kAttribPosition, "aPosition");
  glBindAttribLocation(program, kAttribNormal, "aNormal");
  glBindAttribLocation(program, kAttribColor, "aColor");
  glBindAttribLocation(program, kAttribTexCoord, "aTexCoord");
  glLinkProgram(program);
  glDeleteShader(vs);
  glDeleteShader(fs);
  if (!Built(program, GL_LINK_STATUS, glGetProgramiv, glGetProgramInfoLog,
             "shader program does not link")) {
    glDeleteProgram(program);
    return nullptr;
  }
  p.program = program;
  auto at = [program](const char* name) { return glGetUniformLocation(program, name); };
  p.mvp = at("uMVP");
  p.modelView = at("uModelView");
  p.normalMatrix = at("uNormalMatrix");
  p.screen = at("uScreen");
  p.matDiffuse = at("uMatDiffuse");
  p.matAmbient = at("uMatAmbient");
  p.matSpecular = at("uMatSpecular");
  p.matEmissive = at("uMatEmissive");
  p.power = at("uPower");
  p.ambient = at("uAmbient");
  p.lightPos = at("uLightPos");
  p.lightDir = at("uLightDir");
  p.lightDiffuse = at("uLightDiffuse");
  p.lightSpecular = at("uLightSpecular");
  p.lightAmbient = at("uLightAmbient");
  p.lightAtten = at("uLightAtten");
  p.lightSpot = at("uLightSpot");
  glUseProgram(program);
  glUniform1i(at("uTexture"), 0);
  return &p;
}
