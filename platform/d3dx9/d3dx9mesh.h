// Meshes of the utility library: indexed triangle lists with FVF vertices,
// one attribute (subset number) per face, and skin information that turns a
// mesh into a vertex-blended one.
#pragma once
#include "platform/d3dx9/d3dx9math.h"

// Mesh options.
#define D3DXMESH_32BIT 0x001
#define D3DXMESH_MANAGED 0x220
#define D3DXMESH_SOFTWAREPROCESSING 0x18000
#define D3DXMESHOPT_VERTEXCACHE 0x4000000

#define D3DLOCK_READONLY 0x10

class ID3DXBuffer : public IUnknown {
 public:
  virtual void* GetBufferPointer() = 0;
  virtual DWORD GetBufferSize() = 0;
};

// A zeroed buffer of `size` bytes.
HRESULT D3DXCreateBuffer(DWORD size, ID3DXBuffer** buffer);

struct D3DXATTRIBUTERANGE {
  DWORD AttribId;
  DWORD FaceStart;
  DWORD FaceCount;
  DWORD VertexStart;
  DWORD VertexCount;
};

class ID3DXMesh;

class ID3DXBaseMesh : public IUnknown {
 public:
  // Draws the faces whose attribute is `subset` on the mesh's device with the
  // device's current states.
  virtual HRESULT DrawSubset(DWORD subset) = 0;
  virtual DWORD GetNumFaces() = 0;
  virtual DWORD GetNumVertices() = 0;
  virtual DWORD GetFVF() = 0;
  virtual DWORD GetNumBytesPerVertex() = 0;
  virtual DWORD GetOptions() = 0;
  // Adds a reference to the device for the caller.
  virtual HRESULT GetDevice(IDirect3DDevice9** device) = 0;
  // A copy with another FVF: shared elements are copied, new ones zeroed.
  virtual HRESULT CloneMeshFVF(DWORD options, DWORD fvf, IDirect3DDevice9* device,
                               ID3DXMesh** clone) = 0;
  virtual HRESULT LockVertexBuffer(DWORD flags, void** data) = 0;
  virtual HRESULT UnlockVertexBuffer() = 0;
  // 16-bit indices, or 32-bit with D3DXMESH_32BIT.
  virtual HRESULT LockIndexBuffer(DWORD flags, void** data) = 0;
  virtual HRESULT UnlockIndexBuffer() = 0;
};

class ID3DXMesh : public ID3DXBaseMesh {
 public:
  // One DWORD attribute per face.
  virtual HRESULT LockAttributeBuffer(DWORD flags, DWORD** data) = 0;
  virtual HRESULT UnlockAttributeBuffer() = 0;
};

HRESULT D3DXCreateMeshFVF(DWORD numFaces, DWORD numVertices, DWORD options, DWORD fvf,
                          IDirect3DDevice9* device, ID3DXMesh** mesh);

// Smooth normals from the faces around each vertex; the FVF must hold
// D3DFVF_NORMAL. `adjacency` may be null.
HRESULT D3DXComputeNormals(ID3DXBaseMesh* mesh, const DWORD* adjacency);

// Vertex size in bytes of an FVF; 0 for an FVF we cannot lay out.
UINT D3DXGetFVFVertexSize(DWORD fvf);

enum D3DXMESHDATATYPE : DWORD {
  D3DXMESHTYPE_MESH = 1,
  D3DXMESHTYPE_PMESH = 2,
  D3DXMESHTYPE_PATCHMESH = 3,
};

struct D3DXMESHDATA {
  D3DXMESHDATATYPE Type;
  ID3DXMesh* pMesh;
};

struct D3DXMATERIAL {
  D3DMATERIAL9 MatD3D;
  char* pTextureFilename;
};

struct D3DXEFFECTINSTANCE;

// One subset of a blended mesh: its faces and vertices and the bones that
// move them (BoneId[i], 0xFFFFFFFF for an unused slot).
struct D3DXBONECOMBINATION {
  DWORD AttribId;
  DWORD FaceStart;
  DWORD FaceCount;
  DWORD VertexStart;
  DWORD VertexCount;
  DWORD* BoneId;
};

// Bones and their influences on a mesh's vertices.
class ID3DXSkinInfo : public IUnknown {
 public:
  virtual DWORD GetNumBones() = 0;
  // The name is owned by the skin information; null past the last bone.
  virtual LPCSTR GetBoneName(DWORD bone) = 0;
  virtual HRESULT SetBoneName(DWORD bone, LPCSTR name) = 0;
  // Null past the last bone.
  virtual D3DXMATRIX* GetBoneOffsetMatrix(DWORD bone) = 0;
  virtual HRESULT SetBoneOffsetMatrix(DWORD bone, const D3DXMATRIX* offset) = 0;
  virtual DWORD GetNumBoneInfluences(DWORD bone) = 0;
  virtual HRESULT GetBoneInfluence(DWORD bone, DWORD* vertices, float* weights) = 0;
  virtual HRESULT SetBoneInfluence(DWORD bone, DWORD count, const DWORD* vertices,
                                   const float* weights) = 0;
  // Builds a mesh whose vertices carry blend weights (position becomes
  // D3DFVF_XYZB1..B3 for up to 4 influences) and splits its faces into bone
  // combinations, one subset each; `boneCombinations` receives `*groupCount`
  // D3DXBONECOMBINATION records whose BoneId arrays hold `*maxFaceInfluences`
  // slots and live in the same buffer. Faces keep their material in AttribId.
  virtual HRESULT ConvertToBlendedMesh(ID3DXMesh* mesh, DWORD options, const DWORD* adjacencyIn,
                                       DWORD* adjacencyOut, DWORD* faceRemap,
                                       ID3DXBuffer** vertexRemap, DWORD* maxFaceInfluences,
                                       DWORD* groupCount, ID3DXBuffer** boneCombinations,
                                       ID3DXMesh** blendedMesh) = 0;
};

HRESULT D3DXCreateSkinInfoFVF(DWORD numVertices, DWORD fvf, DWORD numBones,
                              ID3DXSkinInfo** skinInfo);
