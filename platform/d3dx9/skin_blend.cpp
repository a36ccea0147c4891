// Conversion of a skinned mesh into a vertex-blended one.
//
// Faces are grouped into bone combinations: a combination holds the faces of
// one material whose bones, together, fit in maxFaceInfluences slots (the most
// bones any one face touches). Each combination is one subset of the new mesh
// and gets its own copy of the vertices it uses, whose weights follow the
// combination's slot order; the last used slot's weight is left implicit, as
// fixed-function blending takes it as one minus the others.
#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/d3dx9/mesh_fvf.h"
#include "platform/d3dx9/mesh_indices.h"
#include "platform/d3dx9/skin_blend_work.h"
#include "platform/d3dx9/skin_info.h"

namespace {

constexpr DWORD UnusedSlot = 0xFFFFFFFF;
// The widest blended position, D3DFVF_XYZB5: six bones per face.
constexpr DWORD MaxBonesPerFace = 6;
constexpr DWORD OptimizeFlags = 0xFF000000;
// How many of the latest combinations a face may join; older ones take only
// faces whose bones they already hold.
constexpr size_t kFitWindow = 64;

struct Influence {
  DWORD bone;
  float weight;
};

struct Combination {
  DWORD attribute;
  std::vector<DWORD> bones;  // ascending; slot i holds bones[i]
  std::vector<DWORD> faces;  // in the source mesh's order
  std::vector<DWORD> vertices;  // source vertices, ascending
  DWORD faceStart = 0;
  DWORD vertexStart = 0;
};

// Locks one buffer of a mesh for reading and unlocks it when done.
class ReadLock {
 public:
  ReadLock(ID3DXMesh* mesh, HRESULT (ID3DXBaseMesh::*lock)(DWORD, void**),
           HRESULT (ID3DXBaseMesh::*unlock)())
      : mesh_(mesh), unlock_(unlock) {
    result = (mesh->*lock)(D3DLOCK_READONLY, &data);
  }
  ~ReadLock() {
    if (SUCCEEDED(result)) (mesh_->*unlock_)();
  }
  ReadLock(const ReadLock&) = delete;
  ReadLock& operator=(const ReadLock&) = delete;
  void* data = nullptr;
  HRESULT result;

 private:
  ID3DXMesh* mesh_;
  HRESULT (ID3DXBaseMesh::*unlock_)();
};

std::vector<DWORD> BonesOfFace(const std::vector<std::vector<Influence>>& influences,
                               const DWORD corner[3]) {
  std::vector<DWORD> bones;
  for (int k = 0; k < 3; ++k)
    for (const Influence& i : influences[corner[k]]) bones.push_back(i.bone);
  std::sort(bones.begin(), bones.end());
  bones.erase(std::unique(bones.begin(), bones.end()), bones.end());
  return bones;
}

size_t UnionSize(const std::vector<DWORD>& a, const std::vector<DWORD>& b) {
  size_t shared = 0;
  for (DWORD bone : b) shared += std::binary_search(a.begin(), a.end(), bone);
  return a.size() + b.size() - shared;
}

void Merge(std::vector<DWORD>& into, const std::vector<DWORD>& bones) {
  std::vector<DWORD> merged;
  std::set_union(into.begin(), into.end(), bones.begin(), bones.end(),
                 std::back_inserter(merged));
  into = std::move(merged);
}

DWORD BlendedPosition(DWORD weights) {
  return weights == 0 ? D3DFVF_XYZ : D3DFVF_XYZB1 + 2 * (weights - 1);
}

// The source mesh as the conversion reads it.
struct SourceMesh {
  FvfLayout layout;
  DWORD fvf;
  DWORD options;
  const BYTE* vertices;
  std::vector<DWORD> corners;     // three vertex indices per face
  std::vector<DWORD> attributes;  // one per face
};

// The combinations and the blended mesh's counts.
struct BlendPlan {
  std::vector<std::vector<Influence>> influences;  // per source vertex
  std::vector<Combination> groups;
  DWORD slots = 0;
  DWORD vertexCount = 0;
};

// Releases what a failed conversion has made so far.
struct Made {
  ID3DXMesh* mesh = nullptr;
  ID3DXBuffer* table = nullptr;
  ID3DXBuffer* remap = nullptr;
  ~Made() {
    if (mesh) mesh->Release();
    if (table) table->Release();
    if (remap) remap->Release();
  }
};

HRESULT ReadSource(ID3DXMesh* mesh, ReadLock& vertexLock, ReadLock& indexLock, SourceMesh* out) {
  if (FAILED(vertexLock.result)) return vertexLock.result;
  if (FAILED(indexLock.result)) return indexLock.result;
  DWORD faceCount = mesh->GetNumFaces();
  DWORD vertexCount = mesh->GetNumVertices();
  out->fvf = mesh->GetFVF();
  out->options = mesh->GetOptions();
  if (!DescribeFvf(out->fvf, &out->layout) || out->layout.position != D3DFVF_XYZ)
    return D3DERR_INVALIDCALL;
  out->vertices = static_cast<const BYTE*>(vertexLock.data);
  const BYTE* indices = static_cast<const BYTE*>(indexLock.data);
  bool wide = out->options & D3DXMESH_32BIT;
  out->corners.resize(size_t{faceCount} * 3);
  for (size_t i = 0; i < out->corners.size(); ++i) {
    out->corners[i] = ReadIndex(indices, wide, i);
    if (out->corners[i] >= vertexCount) return D3DERR_INVALIDCALL;
  }
  DWORD* attributes = nullptr;
  HRESULT hr = mesh->LockAttributeBuffer(D3DLOCK_READONLY, &attributes);
  if (FAILED(hr)) return hr;
  out->attributes.assign(attributes, attributes + faceCount);
  mesh->UnlockAttributeBuffer();
  return S_OK;
}

HRESULT PlanCombinations(const SourceMesh& source, BlendPlan* plan) {
  DWORD faceCount = static_cast<DWORD>(source.attributes.size());
  std::vector<std::vector<DWORD>> faceBones(faceCount);
  for (DWORD f = 0; f < faceCount; ++f) {
    faceBones[f] = BonesOfFace(plan->influences, &source.corners[size_t{f} * 3]);
    plan->slots = std::max(plan->slots, static_cast<DWORD>(faceBones[f].size()));
  }
  if (plan->slots > MaxBonesPerFace) return D3DERR_INVALIDCALL;

  // First fit among the latest combinations of the face's material, or the
  // first one known to hold all its bones: near linear however many bones.
  std::vector<DWORD> faceOrder(faceCount);
  for (DWORD f = 0; f < faceCount; ++f) faceOrder[f] = f;
  std::stable_sort(faceOrder.begin(), faceOrder.end(), [&](DWORD a, DWORD b) {
    return source.attributes[a] < source.attributes[b];
  });
  std::vector<Combination>& groups = plan->groups;
  std::unordered_map<std::string, size_t> holding;  // a face's bones -> a combination with them
  size_t firstOfAttribute = 0;
  for (DWORD f : faceOrder) {
    if (groups.empty() || groups.back().attribute != source.attributes[f]) {
      firstOfAttribute = groups.size();
      holding.clear();
    }
    const std::vector<DWORD>& bones = faceBones[f];
    std::string key(reinterpret_cast<const char*>(bones.data()), bones.size() * sizeof(DWORD));
    auto known = holding.find(key);
    size_t g = std::max(firstOfAttribute, groups.size() - std::min(groups.size(), kFitWindow));
    if (known != holding.end() && known->second < g) g = known->second;
    auto fits = [&](size_t group) {
      ++BoneCombinationsTried;
      return UnionSize(groups[group].bones, bones) <= plan->slots;
    };
    while (g < groups.size() && !fits(g)) ++g;
    if (g == groups.size()) groups.push_back({source.attributes[f], {}, {}, {}});
    Merge(groups[g].bones, bones);
    groups[g].faces.push_back(f);
    holding.try_emplace(std::move(key), g);
  }

  // Each combination's vertices, numbered after the previous one's.
  std::vector<DWORD> groupOfVertex(plan->influences.size(), UnusedSlot);
  DWORD faceStart = 0;
  for (DWORD g = 0; g < groups.size(); ++g) {
    Combination& c = groups[g];
    for (DWORD f : c.faces)
      for (int k = 0; k < 3; ++k) {
        DWORD v = source.corners[size_t{f} * 3 + k];
        if (groupOfVertex[v] != g) groupOfVertex[v] = g, c.vertices.push_back(v);
      }
    std::sort(c.vertices.begin(), c.vertices.end());
    c.vertexStart = plan->vertexCount;
    c.faceStart = faceStart;
    plan->vertexCount += static_cast<DWORD>(c.vertices.size());
    faceStart += static_cast<DWORD>(c.faces.size());
  }
  return S_OK;
}

void WriteVertices(const SourceMesh& source, const BlendPlan& plan, const FvfLayout& target,
                   BYTE* out) {
  DWORD weights = target.weightCount;
  for (const Combination& c : plan.groups)
    for (size_t i = 0; i < c.vertices.size(); ++i) {
      DWORD v = c.vertices[i];
      const BYTE* from = source.vertices + size_t{v} * source.layout.stride;
      BYTE* to = out + (c.vertexStart + i) * target.stride;
      std::memcpy(to, from, 12);
      for (DWORD s = 0; s < weights; ++s) {
        float w = 0;
        if (s < c.bones.size())
          for (const Influence& influence : plan.influences[v])
            if (influence.bone == c.bones[s]) w = influence.weight;
        std::memcpy(to + 12 + 4 * s, &w, 4);
      }
      std::memcpy(to + 12 + 4 * weights, from + 12, source.layout.stride - 12);
    }
}

// Writes the blended faces; newFaceOf receives each source face's new number.
void WriteFaces(const SourceMesh& source, const BlendPlan& plan, bool wide, BYTE* indices,
                DWORD* attributes, std::vector<DWORD>& newFaceOf) {
  std::vector<DWORD> copyOf(plan.influences.size());
  for (DWORD g = 0; g < plan.groups.size(); ++g) {
    const Combination& c = plan.groups[g];
    for (size_t i = 0; i < c.vertices.size(); ++i)
      copyOf[c.vertices[i]] = c.vertexStart + static_cast<DWORD>(i);
    for (size_t i = 0; i < c.faces.size(); ++i) {
      DWORD f = c.faces[i];
      DWORD at = c.faceStart + static_cast<DWORD>(i);
      for (int k = 0; k < 3; ++k)
        WriteIndex(indices, wide, size_t{at} * 3 + k, copyOf[source.corners[size_t{f} * 3 + k]]);
      attributes[at] = g;
      newFaceOf[f] = at;
    }
  }
}

HRESULT MakeBlendedMesh(ID3DXMesh* mesh, DWORD options, const SourceMesh& source,
                        const BlendPlan& plan, std::vector<DWORD>& newFaceOf,
                        ID3DXMesh** blended) {
  DWORD weights = plan.slots > 1 ? plan.slots - 1 : 0;
  DWORD fvf = (source.fvf & ~(D3DFVF_POSITION_MASK | D3DFVF_LASTBETA_UBYTE4)) |
              BlendedPosition(weights);
  DWORD newOptions = (options & ~OptimizeFlags) | (source.options & D3DXMESH_32BIT);
  if (plan.vertexCount > 0x10000) newOptions |= D3DXMESH_32BIT;
  IDirect3DDevice9* device = nullptr;
  HRESULT hr = mesh->GetDevice(&device);
  if (FAILED(hr)) return hr;
  hr = D3DXCreateMeshFVF(static_cast<DWORD>(source.attributes.size()), plan.vertexCount,
                         newOptions, fvf, device, blended);
  device->Release();
  if (FAILED(hr)) return hr;
  FvfLayout target;
  DescribeFvf(fvf, &target);

  void* vertices = nullptr;
  void* indices = nullptr;
  DWORD* attributes = nullptr;
  (*blended)->LockVertexBuffer(0, &vertices);
  WriteVertices(source, plan, target, static_cast<BYTE*>(vertices));
  hr = (*blended)->UnlockVertexBuffer();
  if (FAILED(hr)) return hr;
  (*blended)->LockIndexBuffer(0, &indices);
  (*blended)->LockAttributeBuffer(0, &attributes);
  WriteFaces(source, plan, newOptions & D3DXMESH_32BIT, static_cast<BYTE*>(indices), attributes,
             newFaceOf);
  (*blended)->UnlockAttributeBuffer();
  return (*blended)->UnlockIndexBuffer();
}

// The records first, then every combination's BoneId slots.
HRESULT MakeCombinationTable(const BlendPlan& plan, ID3DXBuffer** table) {
  size_t count = plan.groups.size();
  size_t records = count * sizeof(D3DXBONECOMBINATION);
  HRESULT hr =
      D3DXCreateBuffer(static_cast<DWORD>(records + count * plan.slots * sizeof(DWORD)), table);
  if (FAILED(hr)) return hr;
  BYTE* base = static_cast<BYTE*>((*table)->GetBufferPointer());
  auto* combination = reinterpret_cast<D3DXBONECOMBINATION*>(base);
  auto* boneIds = reinterpret_cast<DWORD*>(base + records);
  for (size_t g = 0; g < count; ++g) {
    const Combination& c = plan.groups[g];
    combination[g] = {c.attribute, c.faceStart, static_cast<DWORD>(c.faces.size()),
                      c.vertexStart, static_cast<DWORD>(c.vertices.size()),
                      boneIds + g * plan.slots};
    for (DWORD s = 0; s < plan.slots; ++s)
      combination[g].BoneId[s] = s < c.bones.size() ? c.bones[s] : UnusedSlot;
  }
  return S_OK;
}

HRESULT MakeVertexRemap(const BlendPlan& plan, ID3DXBuffer** remap) {
  HRESULT hr = D3DXCreateBuffer(plan.vertexCount * sizeof(DWORD), remap);
  if (FAILED(hr)) return hr;
  auto* sourceOf = static_cast<DWORD*>((*remap)->GetBufferPointer());
  for (const Combination& c : plan.groups)
    for (size_t i = 0; i < c.vertices.size(); ++i) sourceOf[c.vertexStart + i] = c.vertices[i];
  return S_OK;
}

}  // namespace

HRESULT SkinInfo::ConvertToBlendedMesh(ID3DXMesh* mesh, DWORD options, const DWORD* adjacencyIn,
                                       DWORD* adjacencyOut, DWORD* faceRemap,
                                       ID3DXBuffer** vertexRemap, DWORD* maxFaceInfluences,
                                       DWORD* groupCount, ID3DXBuffer** boneCombinations,
                                       ID3DXMesh** blendedMesh) {
  if (!mesh || !maxFaceInfluences || !groupCount || !boneCombinations || !blendedMesh)
    return D3DERR_INVALIDCALL;
  *maxFaceInfluences = 0;
  *groupCount = 0;
  *boneCombinations = nullptr;
  *blendedMesh = nullptr;
  if (vertexRemap) *vertexRemap = nullptr;
  DWORD faceCount = mesh->GetNumFaces();
  if (mesh->GetNumVertices() != numVertices_) return D3DERR_INVALIDCALL;

  try {
    ReadLock vertexLock(mesh, &ID3DXBaseMesh::LockVertexBuffer, &ID3DXBaseMesh::UnlockVertexBuffer);
    ReadLock indexLock(mesh, &ID3DXBaseMesh::LockIndexBuffer, &ID3DXBaseMesh::UnlockIndexBuffer);
    SourceMesh source;
    HRESULT hr = ReadSource(mesh, vertexLock, indexLock, &source);
    if (FAILED(hr)) return hr;

    // Each vertex's bones; a bone named twice for one vertex adds its weights.
    BlendPlan plan;
    plan.influences.resize(numVertices_);
    for (DWORD b = 0; b < bones_.size(); ++b)
      for (size_t i = 0; i < bones_[b].vertices.size(); ++i) {
        if (bones_[b].weights[i] == 0) continue;
        std::vector<Influence>& list = plan.influences[bones_[b].vertices[i]];
        if (!list.empty() && list.back().bone == b)
          list.back().weight += bones_[b].weights[i];
        else
          list.push_back({b, bones_[b].weights[i]});
      }
    hr = PlanCombinations(source, &plan);
    if (FAILED(hr)) return hr;

    Made made;
    std::vector<DWORD> newFaceOf(faceCount);
    hr = MakeBlendedMesh(mesh, options, source, plan, newFaceOf, &made.mesh);
    if (SUCCEEDED(hr)) hr = MakeCombinationTable(plan, &made.table);
    if (SUCCEEDED(hr) && vertexRemap) hr = MakeVertexRemap(plan, &made.remap);
    if (FAILED(hr)) return hr;

    if (faceRemap)
      for (DWORD f = 0; f < faceCount; ++f) faceRemap[newFaceOf[f]] = f;
    if (adjacencyOut)
      for (DWORD f = 0; f < faceCount; ++f)
        for (int k = 0; k < 3; ++k) {
          DWORD neighbour = adjacencyIn ? adjacencyIn[size_t{f} * 3 + k] : UnusedSlot;
          adjacencyOut[size_t{newFaceOf[f]} * 3 + k] =
              neighbour < faceCount ? newFaceOf[neighbour] : UnusedSlot;
        }
    *maxFaceInfluences = plan.slots;
    *groupCount = static_cast<DWORD>(plan.groups.size());
    *boneCombinations = std::exchange(made.table, nullptr);
    *blendedMesh = std::exchange(made.mesh, nullptr);
    if (vertexRemap) *vertexRemap = std::exchange(made.remap, nullptr);
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}
