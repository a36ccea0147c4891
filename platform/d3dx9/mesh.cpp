#include "platform/d3dx9/mesh.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <numeric>

#include "platform/d3dx9/mesh_indices.h"

namespace {

// Where a mesh's vertex and index buffers live, from its options.
constexpr DWORD VertexSystemMemory = 0x010;
constexpr DWORD VertexManaged = 0x020;
constexpr DWORD IndexSystemMemory = 0x100;
constexpr DWORD IndexManaged = 0x200;
constexpr DWORD VertexSoftware = 0x08000;
constexpr DWORD IndexSoftware = 0x10000;
// Above what any device draws in one call; keeps sizes far from overflow.
constexpr DWORD MaxElements = 0x00FFFFFF;

D3DPOOL PoolOf(DWORD options, DWORD systemMemory, DWORD managed) {
  if (options & systemMemory) return D3DPOOL_SYSTEMMEM;
  if (options & managed) return D3DPOOL_MANAGED;
  return D3DPOOL_DEFAULT;
}

template <typename Buffer>
HRESULT Upload(Buffer* buffer, const void* bytes, size_t size) {
  void* data = nullptr;
  HRESULT hr = buffer->Lock(0, 0, &data, 0);
  if (FAILED(hr)) return hr;
  std::memcpy(data, bytes, size);
  return buffer->Unlock();
}

}  // namespace

HRESULT Mesh::Create(DWORD numFaces, DWORD numVertices, DWORD options, DWORD fvf,
                     IDirect3DDevice9* device, Mesh** mesh) {
  if (!mesh) return D3DERR_INVALIDCALL;
  *mesh = nullptr;
  FvfLayout layout;
  bool wide = options & D3DXMESH_32BIT;
  if (!device || !DescribeFvf(fvf, &layout) || numFaces == 0 || numVertices == 0 ||
      numFaces > MaxElements || numVertices > MaxElements || (!wide && numVertices > 0x10000))
    return D3DERR_INVALIDCALL;

  Mesh* made = new (std::nothrow) Mesh();
  if (!made) return E_OUTOFMEMORY;
  made->numFaces_ = numFaces;
  made->numVertices_ = numVertices;
  made->options_ = options;
  made->fvf_ = fvf;
  made->layout_ = layout;
  made->device_ = device;
  device->AddRef();
  UINT indexSize = wide ? 4 : 2;
  try {
    made->vertices_.assign(size_t{numVertices} * layout.stride, 0);
    made->indices_.assign(size_t{numFaces} * 3 * indexSize, 0);
    made->attributes_.assign(numFaces, 0);
    made->subsets_.push_back({{0, 0, numFaces, 0, 1}, true});
  } catch (const std::bad_alloc&) {
    made->Release();
    return E_OUTOFMEMORY;
  }
  DWORD usage = D3DUSAGE_WRITEONLY;
  HRESULT hr = device->CreateVertexBuffer(
      static_cast<UINT>(made->vertices_.size()), usage | (options & VertexSoftware ? D3DUSAGE_SOFTWAREPROCESSING : 0),
      fvf, PoolOf(options, VertexSystemMemory, VertexManaged), &made->vertexBuffer_, nullptr);
  if (SUCCEEDED(hr))
    hr = device->CreateIndexBuffer(
        static_cast<UINT>(made->indices_.size()),
        usage | (options & IndexSoftware ? D3DUSAGE_SOFTWAREPROCESSING : 0),
        wide ? D3DFMT_INDEX32 : D3DFMT_INDEX16, PoolOf(options, IndexSystemMemory, IndexManaged),
        &made->indexBuffer_, nullptr);
  if (FAILED(hr)) {
    made->Release();
    return hr;
  }
  *mesh = made;
  return S_OK;
}

HRESULT D3DXCreateMeshFVF(DWORD numFaces, DWORD numVertices, DWORD options, DWORD fvf,
                          IDirect3DDevice9* device, ID3DXMesh** mesh) {
  if (!mesh) return D3DERR_INVALIDCALL;
  Mesh* made = nullptr;
  HRESULT hr = Mesh::Create(numFaces, numVertices, options, fvf, device, &made);
  *mesh = made;
  return hr;
}

Mesh::~Mesh() {
  if (indexBuffer_) indexBuffer_->Release();
  if (vertexBuffer_) vertexBuffer_->Release();
  if (device_) device_->Release();
}

DWORD Mesh::IndexAt(DWORD position) const {
  return ReadIndex(indices_.data(), options_ & D3DXMESH_32BIT, position);
}

HRESULT Mesh::DrawSubset(DWORD subset) {
  auto found = std::lower_bound(subsets_.begin(), subsets_.end(), subset,
                                [](const Subset& s, DWORD id) { return s.range.AttribId < id; });
  if (found == subsets_.end() || found->range.AttribId != subset) return S_OK;
  if (!found->drawable) return D3DERR_INVALIDCALL;
  const D3DXATTRIBUTERANGE& r = found->range;
  device_->SetFVF(fvf_);
  device_->SetStreamSource(0, vertexBuffer_, 0, layout_.stride);
  device_->SetIndices(indexBuffer_);
  return device_->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, r.VertexStart, r.VertexCount,
                                       r.FaceStart * 3, r.FaceCount);
}

HRESULT Mesh::GetDevice(IDirect3DDevice9** device) {
  if (!device) return D3DERR_INVALIDCALL;
  device_->AddRef();
  *device = device_;
  return S_OK;
}

HRESULT Mesh::Lock(LockState& state, DWORD flags) {
  ++state.count;
  if (!(flags & D3DLOCK_READONLY)) state.written = true;
  return S_OK;
}

bool Mesh::Unlock(LockState& state, bool* upload) {
  if (state.count == 0) return false;
  *upload = --state.count == 0 && state.written;
  if (*upload) state.written = false;
  return true;
}

HRESULT Mesh::LockVertexBuffer(DWORD flags, void** data) {
  if (!data) return D3DERR_INVALIDCALL;
  *data = vertices_.data();
  return Lock(vertexLock_, flags);
}

HRESULT Mesh::UnlockVertexBuffer() {
  bool upload;
  if (!Unlock(vertexLock_, &upload)) return D3DERR_INVALIDCALL;
  return upload ? UploadVertices() : S_OK;
}

HRESULT Mesh::LockIndexBuffer(DWORD flags, void** data) {
  if (!data) return D3DERR_INVALIDCALL;
  *data = indices_.data();
  return Lock(indexLock_, flags);
}

HRESULT Mesh::UnlockIndexBuffer() {
  bool upload;
  if (!Unlock(indexLock_, &upload)) return D3DERR_INVALIDCALL;
  return upload ? UploadFaces() : S_OK;
}

HRESULT Mesh::LockAttributeBuffer(DWORD flags, DWORD** data) {
  if (!data) return D3DERR_INVALIDCALL;
  *data = attributes_.data();
  return Lock(attributeLock_, flags);
}

HRESULT Mesh::UnlockAttributeBuffer() {
  bool upload;
  if (!Unlock(attributeLock_, &upload)) return D3DERR_INVALIDCALL;
  return upload ? UploadFaces() : S_OK;
}

HRESULT Mesh::UploadVertices() {
  return Upload(vertexBuffer_, vertices_.data(), vertices_.size());
}

HRESULT Mesh::UploadFaces() {
  try {
    std::vector<DWORD> order(numFaces_);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [this](DWORD a, DWORD b) { return attributes_[a] < attributes_[b]; });
    UINT indexSize = options_ & D3DXMESH_32BIT ? 4 : 2;
    std::vector<BYTE> sorted(indices_.size());
    std::vector<Subset> subsets;
    for (DWORD i = 0; i < numFaces_; ++i) {
      DWORD face = order[i];
      std::memcpy(&sorted[size_t{i} * 3 * indexSize], &indices_[size_t{face} * 3 * indexSize],
                  3 * indexSize);
      if (subsets.empty() || subsets.back().range.AttribId != attributes_[face])
        subsets.push_back({{attributes_[face], i, 0, 0xFFFFFFFF, 0}, true});
      Subset& s = subsets.back();
      ++s.range.FaceCount;
      DWORD& low = s.range.VertexStart;
      DWORD& count = s.range.VertexCount;  // highest index + 1 until the end
      for (DWORD k = 0; k < 3; ++k) {
        DWORD index = IndexAt(face * 3 + k);
        low = std::min(low, index);
        count = std::max(count, index + 1);
        if (index >= numVertices_) s.drawable = false;
      }
    }
    for (Subset& s : subsets) s.range.VertexCount -= s.range.VertexStart;
    subsets_ = std::move(subsets);
    return Upload(indexBuffer_, sorted.data(), sorted.size());
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}
