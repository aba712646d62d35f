#include "effects/height_field.h"

#include <algorithm>
#include <cmath>

#include "demo/demo.h"
#include "render/d3dx/d3dx_maths.h"
#include "resources/archive.h"
#include "resources/data_archive.h"
#include "scene/scene_colour.h"

namespace {

// The light baked into the landscape shines along this direction (normalised at use).
constexpr D3DVECTOR kLightDirection{1.0f, -1.0f, 0.2f};
// The detail texture repeats this many times across the landscape.
constexpr float kDetailRepeats = 8.0f;
// Lifts the ramp coordinate off the ramp's edge: v = 1 - height + this.
constexpr float kRampOffset = 0.01f;

D3DVECTOR Difference(const HeightFieldVertex& to, const HeightFieldVertex& from) {
  return {to.x - from.x, to.y - from.y, to.z - from.z};
}

// The unit normal of the triangle (a, b, c), turned as cross(b - a, c - a).
D3DVECTOR FaceNormal(const HeightFieldVertex& a, const HeightFieldVertex& b,
                     const HeightFieldVertex& c) {
  const D3DVECTOR ab = Difference(b, a), ac = Difference(c, a);
  D3DVECTOR normal;
  D3DXVec3Cross(&normal, &ab, &ac);
  return *D3DXVec3Normalize(&normal, &normal);
}

void Accumulate(D3DVECTOR& sum, const D3DVECTOR& add) {
  sum.x += add.x;
  sum.y += add.y;
  sum.z += add.z;
}

// The archive, opened again by name for this one read, released however the read ends.
struct OpenedArchive {
  ~OpenedArchive() { SafeRelease(root); }
  IStorage* root = nullptr;
};

}  // namespace

float SampleHeightmap(std::span<const uint8_t> map, int columns, int rows, float sx, float sy) {
  // Coordinates outside 0..1 would reach past the map's edges; they take the edge.
  const float fx = static_cast<float>(columns - 1) * std::clamp(sx, 0.0f, 1.0f);
  const float fy = static_cast<float>(rows - 1) * std::clamp(sy, 0.0f, 1.0f);
  const int x0 = static_cast<int>(std::floor(fx));
  const int x1 = std::min(static_cast<int>(std::ceil(fx)), columns - 1);
  const int y0 = static_cast<int>(std::floor(fy));
  const int y1 = std::min(static_cast<int>(std::ceil(fy)), rows - 1);
  const float dx = fx - static_cast<float>(x0), dy = fy - static_cast<float>(y0);
  const auto s = [&](int x, int y) { return static_cast<float>(map[y * columns + x]) / 255.0f; };
  return (1 - dy) * ((1 - dx) * s(x0, y0) + dx * s(x1, y0)) +
         dy * ((1 - dx) * s(x0, y1) + dx * s(x1, y1));
}

float CHeightField::Sample(float sx, float sy) const {
  return SampleHeightmap(heightmap, mapColumns, mapRows, sx, sy);
}

HRESULT CHeightField::Build(const char16_t* entryName, int columns, int rows, float fieldWidth,
                            float fieldDepth, float fieldHeightScale) {
  Release();
  // Every vertex must be reachable by a 16-bit index.
  if (columns < 2 || rows < 2 || columns * rows > 0x10000) return E_INVALIDARG;
  mapColumns = columns;
  mapRows = rows;
  width = fieldWidth;
  depth = fieldDepth;
  heightScale = fieldHeightScale;
  if (const HRESULT read = ReadHeightmap(entryName); FAILED(read)) return read;

  const D3DVERTEXBUFFERDESC description{sizeof(D3DVERTEXBUFFERDESC), D3DVBCAPS_SYSTEMMEMORY,
                                        kHeightFieldVertexFvf,
                                        static_cast<DWORD>(columns * rows)};
  if (const HRESULT created = g_d3d->CreateVertexBuffer(&description, &vertexBuffer, 0);
      FAILED(created)) {
    vertexBuffer = nullptr;
    return created;
  }
  void* data = nullptr;
  if (const HRESULT locked = vertexBuffer->Lock(0, &data, nullptr); FAILED(locked)) {
    SafeRelease(vertexBuffer);
    return locked;
  }
  vertexCount = description.dwNumVertices;
  auto* vertices = static_cast<HeightFieldVertex*>(data);
  FillVertices(vertices);
  FillIndices();
  BakeLight(vertices);
  vertexBuffer->Unlock();
  return D3D_OK;
}

HRESULT CHeightField::ReadHeightmap(const char16_t* entryName) {
  OpenedArchive archive;
  HRESULT result = OpenDataArchive(&archive.root);
  IStream* stream = nullptr;
  if (SUCCEEDED(result)) result = OpenArchiveStream(entryName, archive.root, &stream);
  if (SUCCEEDED(result)) result = ReadWholeStream(stream, heightmap, nullptr);
  if (FAILED(result)) return result;
  // The mesh reads columns x rows samples; any other length would be read past its end or
  // taken for a map it is not.
  if (heightmap.size() != static_cast<size_t>(mapColumns * mapRows)) return kHeightmapWrongSize;
  return S_OK;
}

void CHeightField::FillVertices(HeightFieldVertex* vertices) const {
  for (int row = 0; row < mapRows; ++row) {
    for (int column = 0; column < mapColumns; ++column) {
      const float fz = static_cast<float>(row) / static_cast<float>(mapRows - 1);
      const float fx = static_cast<float>(column) / static_cast<float>(mapColumns - 1);
      const float x = fx * width, z = fz * depth;
      const float y = Sample(x / width, (depth - z) / depth) * heightScale;
      const float height = y / heightScale;
      // The colour is the baked light, filled in once the normals are known.
      vertices[row * mapColumns + column] = {x,  y, z, 0, 1 - fx, 1 - height + kRampOffset,
                                             (1 - fx) * kDetailRepeats, fz * kDetailRepeats};
    }
  }
}

void CHeightField::FillIndices() {
  const int n = mapColumns;
  indices.clear();
  indices.reserve(static_cast<size_t>(6 * (mapColumns - 1) * (mapRows - 1)));
  for (int row = 0; row + 1 < mapRows; ++row) {
    for (int column = 0; column + 1 < mapColumns; ++column) {
      const auto corner = static_cast<uint16_t>(row * n + column);
      const auto right = static_cast<uint16_t>(corner + 1);
      const auto below = static_cast<uint16_t>(corner + n);
      const auto diagonal = static_cast<uint16_t>(corner + n + 1);
      indices.insert(indices.end(), {corner, right, diagonal, corner, diagonal, below});
    }
  }
}

// Each vertex's normal is the sum of the unit normals of the triangles around it; the
// light's cosine with it, either side, is the vertex's grey.
void CHeightField::BakeLight(HeightFieldVertex* vertices) const {
  std::vector<D3DVECTOR> normals(vertexCount, D3DVECTOR{0, 0, 0});
  for (size_t first = 0; first + 2 < indices.size(); first += 3) {
    const uint16_t a = indices[first], b = indices[first + 1], c = indices[first + 2];
    const D3DVECTOR normal = FaceNormal(vertices[a], vertices[b], vertices[c]);
    for (const uint16_t corner : {a, b, c}) Accumulate(normals[corner], normal);
  }
  D3DVECTOR light;
  D3DXVec3Normalize(&light, &kLightDirection);
  for (DWORD index = 0; index < vertexCount; ++index) {
    D3DXVec3Normalize(&normals[index], &normals[index]);
    vertices[index].colour = OpaqueGreyRounded(std::fabs(D3DXVec3Dot(&normals[index], &light)));
  }
}

void CHeightField::Draw(IDirect3DDevice7* device) const {
  device->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE);
  device->DrawIndexedPrimitiveVB(D3DPT_TRIANGLELIST, vertexBuffer, 0, vertexCount,
                                 indices.data(), static_cast<DWORD>(indices.size()), 0);
  device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
  device->SetTextureStageState(1, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
}

void CHeightField::Release() {
  SafeRelease(vertexBuffer);
  vertexCount = 0;
  indices.clear();
}
