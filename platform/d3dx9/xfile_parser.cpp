// A reader of the text .x format driven by the templates we know. Numbers
// may be separated by ',' or ';' in any mix, so every separator before a
// value is skipped. Objects we do not know, templates included, are skipped
// by counting braces. A material given by reference ("{ Name }") must be
// a top-level Material earlier in the file. Only the first AnimationSet is
// kept: it is the one that plays.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>
#include <new>

#include "platform/d3dx9/xfile_model.h"
#include "platform/d3dx9/xfile_tokenizer.h"

namespace {

struct ParseError {};

// Type words are identifiers; a number where a child object should start
// means the data before it was longer than its counts said.
bool IsTypeName(std::string_view word) {
  char c = word[0];
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

class XFileParser {
 public:
  XFileParser(std::string_view text, XFileScene* scene)
      : tokens_(text), scene_(scene), budget_(XFileMemoryBudget(text.size())) {}

  void ParseTopLevel() {
    for (;;) {
      XToken token = NextSkippingSeparators();
      if (token.kind == XTokenKind::End) {
        scene_->memoryLeft = budget_ - cost_;
        return;
      }
      if (token.kind != XTokenKind::Word) Fail();
      if (token.text == "template") {
        SkipObject();
      } else if (token.text == "Frame") {
        scene_->topLevel.push_back({ParseFrame(1), nullptr});
      } else if (token.text == "Mesh") {
        scene_->topLevel.push_back({nullptr, ParseMesh()});
      } else if (token.text == "Material") {
        std::string name = ParseObjectOpening();
        XFileMaterial material = ParseMaterialBody();
        if (!name.empty()) namedMaterials_[name] = material;
      } else if (token.text == "AnimTicksPerSecond") {
        ParseObjectOpening();
        DWORD ticks = ReadDword();
        if (ticks != 0) scene_->ticksPerSecond = ticks;
        ExpectClose();
      } else if (token.text == "AnimationSet" && !sawAnimationSet_) {
        ParseObjectOpening();
        sawAnimationSet_ = true;
        ParseAnimationSetBody();
      } else {
        SkipObject();
      }
    }
  }

 private:
  [[noreturn]] static void Fail() { throw ParseError{}; }

  // Past a limit the file is refused as a whole, which its author should hear of.
  static void Limit(std::size_t count, std::size_t most, const char* what) {
    if (count <= most) return;
    std::fprintf(stderr, "model file of more than %zu %s, not loaded\n", most, what);
    Fail();
  }

  void Spend(std::size_t bytes) {
    cost_ += bytes;
    if (cost_ <= budget_) return;
    std::fprintf(stderr, "model file of more meshes and triangles than its size allows, not loaded\n");
    Fail();
  }

  XToken NextSkippingSeparators() {
    XToken token = tokens_.Next();
    while (token.kind == XTokenKind::Comma || token.kind == XTokenKind::Semicolon) token = tokens_.Next();
    if (token.kind == XTokenKind::Bad) Fail();
    return token;
  }

  std::string_view ReadNumberText() {
    XToken token = NextSkippingSeparators();
    if (token.kind != XTokenKind::Word) Fail();
    std::string_view text = token.text;
    if (!text.empty() && text[0] == '+') text.remove_prefix(1);
    return text;
  }

  DWORD ReadDword() {
    std::string_view text = ReadNumberText();
    DWORD value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) Fail();
    return value;
  }

  float ReadFloat() {
    std::string_view text = ReadNumberText();
    float value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) Fail();
    return value;
  }

  // A count of items that each take at least one byte of the file.
  DWORD ReadCount() {
    DWORD count = ReadDword();
    if (count > tokens_.Remaining()) Fail();
    return count;
  }

  std::string ReadString() {
    XToken token = NextSkippingSeparators();
    if (token.kind != XTokenKind::String) Fail();
    return std::string(token.text);
  }

  D3DXVECTOR3 ReadVector() {
    float x = ReadFloat(), y = ReadFloat();
    return {x, y, ReadFloat()};
  }

  // A count, then that many vectors.
  void ReadVectors(std::vector<D3DXVECTOR3>* vectors) {
    DWORD count = ReadCount();
    vectors->reserve(count);
    for (DWORD i = 0; i < count; ++i) vectors->push_back(ReadVector());
  }

  D3DXMATRIX ReadMatrix() {
    D3DXMATRIX m;
    for (int row = 0; row < 4; ++row)
      for (int column = 0; column < 4; ++column) m(row, column) = ReadFloat();
    return m;
  }

  D3DCOLORVALUE ReadColor(bool withAlpha) {
    D3DCOLORVALUE color;
    color.r = ReadFloat();
    color.g = ReadFloat();
    color.b = ReadFloat();
    color.a = withAlpha ? ReadFloat() : 1.0f;
    return color;
  }

  // After the object's type word: an optional name, '{' and an optional GUID.
  std::string ParseObjectOpening() {
    std::string name;
    XToken token = tokens_.Next();
    if (token.kind == XTokenKind::Word) {
      name = token.text;
      token = tokens_.Next();
    }
    if (token.kind != XTokenKind::Open) Fail();
    if (tokens_.Peek().kind == XTokenKind::Guid) tokens_.Next();
    return name;
  }

  void ExpectClose() {
    if (NextSkippingSeparators().kind != XTokenKind::Close) Fail();
  }

  // The rest of an object (or template) whose type word was read.
  void SkipObject() {
    XToken token = tokens_.Next();
    if (token.kind == XTokenKind::Word) token = tokens_.Next();
    if (token.kind != XTokenKind::Open) Fail();
    SkipToMatchingClose();
  }

  void SkipToMatchingClose() {
    for (int depth = 1; depth > 0;) {
      XToken token = tokens_.Next();
      if (token.kind == XTokenKind::End || token.kind == XTokenKind::Bad) Fail();
      if (token.kind == XTokenKind::Open) ++depth;
      if (token.kind == XTokenKind::Close) --depth;
    }
  }

  // "{ Name }" after its '{' was read.
  std::string ReadReference() {
    XToken token = tokens_.Next();
    std::string name;
    if (token.kind == XTokenKind::Word) {
      name = token.text;
      token = tokens_.Next();
    }
    if (token.kind == XTokenKind::Guid) token = tokens_.Next();
    if (token.kind != XTokenKind::Close) Fail();
    return name;
  }

  // Walks the children of an object up to its '}', handing each child
  // object's type word to `child` and each reference's name to `reference`
  // (by default references are read and ignored).
  template <class Child, class Reference = void (*)(const std::string&)>
  void ParseChildren(Child child, Reference reference = [](const std::string&) {}) {
    for (;;) {
      XToken token = NextSkippingSeparators();
      if (token.kind == XTokenKind::Close) return;
      if (token.kind == XTokenKind::Open) {
        reference(ReadReference());
      } else if (token.kind == XTokenKind::Word && IsTypeName(token.text)) {
        child(token.text);
      } else {
        Fail();
      }
    }
  }

  std::unique_ptr<XFileFrame> ParseFrame(int depth) {
    if (depth > kMaxXFileNesting) Fail();
    Limit(++frameCount_, kMaxXFileFrames, "frames");
    auto frame = std::make_unique<XFileFrame>();
    frame->name = ParseObjectOpening();
    D3DXMatrixIdentity(&frame->matrix);
    ParseChildren(
        [&](std::string_view type) {
          if (type == "FrameTransformMatrix") {
            ParseObjectOpening();
            frame->matrix = ReadMatrix();
            ExpectClose();
          } else if (type == "Frame") {
            frame->children.push_back({ParseFrame(depth + 1), nullptr});
          } else if (type == "Mesh") {
            frame->children.push_back({nullptr, ParseMesh()});
          } else {
            SkipObject();
          }
        });
    return frame;
  }

  void ReadFaces(std::vector<DWORD>* sizes, std::vector<DWORD>* corners) {
    DWORD faces = ReadCount();
    sizes->reserve(faces);
    for (DWORD f = 0; f < faces; ++f) {
      DWORD size = ReadCount();
      sizes->push_back(size);
      for (DWORD i = 0; i < size; ++i) corners->push_back(ReadDword());
    }
  }

  std::unique_ptr<XFileMesh> ParseMesh() {
    Spend(kXFileMeshCost);
    auto mesh = std::make_unique<XFileMesh>();
    mesh->name = ParseObjectOpening();
    ReadVectors(&mesh->positions);
    ReadFaces(&mesh->faceSizes, &mesh->faceCorners);
    // A polygon of n corners becomes n - 2 triangles; degenerate faces are
    // refused when the mesh is built.
    for (DWORD size : mesh->faceSizes) Spend(size > 2 ? (size - 2) * kXFileTriangleCost : 0);
    ParseChildren(
        [&](std::string_view type) {
          if (type == "MeshNormals") {
            ParseObjectOpening();
            mesh->hasNormals = true;
            ReadVectors(&mesh->normals);
            ReadFaces(&mesh->normalFaceSizes, &mesh->normalFaceCorners);
            ExpectClose();
          } else if (type == "MeshTextureCoords") {
            ParseObjectOpening();
            mesh->hasTextureCoords = true;
            DWORD coords = ReadCount();
            mesh->textureCoords.reserve(coords);
            for (DWORD i = 0; i < coords; ++i) {
              float u = ReadFloat();
              mesh->textureCoords.push_back({u, ReadFloat()});
            }
            ExpectClose();
          } else if (type == "MeshMaterialList") {
            ParseMaterialList(mesh.get());
          } else if (type == "SkinWeights") {
            ParseObjectOpening();
            XFileSkinWeights skin;
            skin.boneName = ReadString();
            DWORD weights = ReadCount();
            skin.vertices.reserve(weights);
            for (DWORD i = 0; i < weights; ++i) skin.vertices.push_back(ReadDword());
            skin.weights.reserve(weights);
            for (DWORD i = 0; i < weights; ++i) skin.weights.push_back(ReadFloat());
            skin.offset = ReadMatrix();
            ExpectClose();
            mesh->skinWeights.push_back(std::move(skin));
          } else {
            SkipObject();  // XSkinMeshHeader only repeats what SkinWeights give
          }
        });
    return mesh;
  }

  void ParseMaterialList(XFileMesh* mesh) {
    ParseObjectOpening();
    mesh->materialCount = ReadCount();
    DWORD indices = ReadCount();
    mesh->faceMaterials.reserve(indices);
    for (DWORD i = 0; i < indices; ++i) mesh->faceMaterials.push_back(ReadDword());
    ParseChildren(
        [&](std::string_view type) {
          if (type == "Material") {
            ParseObjectOpening();
            mesh->materials.push_back(ParseMaterialBody());
          } else {
            SkipObject();
          }
        },
        [&](const std::string& name) {
          auto found = namedMaterials_.find(name);
          if (found == namedMaterials_.end()) Fail();
          mesh->materials.push_back(found->second);
        });
  }

  XFileMaterial ParseMaterialBody() {
    XFileMaterial material;
    material.faceColor = ReadColor(true);
    material.power = ReadFloat();
    material.specularColor = ReadColor(false);
    material.emissiveColor = ReadColor(false);
    ParseChildren(
        [&](std::string_view type) {
          if (type == "TextureFilename" || type == "TextureFileName") {
            ParseObjectOpening();
            material.textureFilename = ReadString();
            ExpectClose();
          } else {
            SkipObject();
          }
        });
    return material;
  }

  void ParseAnimationSetBody() {
    ParseChildren(
        [&](std::string_view type) {
          if (type == "Animation") {
            ParseObjectOpening();
            scene_->firstAnimationSet.push_back(ParseAnimationBody());
          } else {
            SkipObject();
          }
        });
  }

  XFileAnimation ParseAnimationBody() {
    XFileAnimation animation;
    ParseChildren(
        [&](std::string_view type) {
          if (type == "AnimationKey") {
            ParseObjectOpening();
            ParseKeys(&animation.keys);
            ExpectClose();
          } else {
            SkipObject();
          }
        },
        [&](const std::string& name) { animation.frameName = name; });
    return animation;
  }

  void ParseKeys(AnimationKeys* keys) {
    DWORD type = ReadDword();
    static constexpr DWORD kValueCounts[] = {4, 3, 3, 16, 16};  // rotation, scale, position, matrix
    if (type >= std::size(kValueCounts)) Fail();
    DWORD count = ReadCount();
    for (DWORD k = 0; k < count; ++k) {
      DWORD time = ReadDword();
      if (ReadDword() != kValueCounts[type]) Fail();
      if (type == 0) {
        // Stored w, x, y, z. The usual (column-vector) matrix of the file's
        // quaternion is the frame's row-vector matrix as it stands; this
        // library's quaternion matrix is that formula transposed, so the
        // key is conjugated. Exporters write keys to match.
        float w = ReadFloat(), x = ReadFloat(), y = ReadFloat(), z = ReadFloat();
        D3DXQUATERNION q{-x, -y, -z, w};
        D3DXQuaternionNormalize(&q, &q);
        keys->rotations.push_back({time, q});
      } else if (type == 1) {
        keys->scales.push_back({time, ReadVector()});
      } else if (type == 2) {
        keys->positions.push_back({time, ReadVector()});
      } else {
        keys->matrices.push_back({time, ReadMatrix()});
      }
    }
  }

  XFileTokenizer tokens_;
  XFileScene* scene_;
  std::map<std::string, XFileMaterial, std::less<>> namedMaterials_;
  std::size_t frameCount_ = 0;
  std::size_t cost_ = 0;
  std::size_t budget_;
  bool sawAnimationSet_ = false;
};

bool IsDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

template <class Key>
void SortByTime(std::vector<Key>* keys) {
  std::stable_sort(keys->begin(), keys->end(),
                   [](const Key& a, const Key& b) { return a.time < b.time; });
}

}  // namespace

HRESULT ParseXFile(std::string_view text, XFileScene* scene) {
  // "xof 0303txt 0032": magic, version, format, float size.
  if (text.size() < 16 || text.substr(0, 4) != "xof " || !IsDigits(text.substr(4, 4)) ||
      !IsDigits(text.substr(12, 4)))
    return E_FAIL;
  std::string_view version = text.substr(4, 4), format = text.substr(8, 4);
  if (version != "0302" && version != "0303") return E_FAIL;
  if (format != "txt ") return E_NOTIMPL;
  try {
    XFileParser(text.substr(16), scene).ParseTopLevel();
  } catch (const ParseError&) {
    return E_FAIL;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  for (XFileAnimation& animation : scene->firstAnimationSet) {
    SortByTime(&animation.keys.rotations);
    SortByTime(&animation.keys.scales);
    SortByTime(&animation.keys.positions);
    SortByTime(&animation.keys.matrices);
  }
  return S_OK;
}
