#include "effects/blob_surface.h"

#include <algorithm>
#include <cmath>

#include "effects/marching_cubes_tables.h"

namespace {

// How far the lattice reaches beyond the blobs' centres (world units): past the influence
// radius, so the surface never touches the lattice's boundary.
constexpr float kLatticeMargin = 1.1f;

// Cube corners as offsets from the cube's lowest corner, in the tables' numbering.
constexpr int kCornerOffsets[8][3] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0},
                                      {0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}};
// The two corners each edge joins.
constexpr int kEdgeCorners[12][2] = {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {4, 5}, {5, 6},
                                     {6, 7}, {7, 4}, {0, 4}, {1, 5}, {2, 6}, {3, 7}};

// The cube's faces in the order the flood fill leaves through them, as bits, with the step
// to the neighbour across each.
enum Face { kMinusX = 1, kPlusX = 2, kMinusY = 4, kPlusY = 8, kMinusZ = 16, kPlusZ = 32 };
constexpr int kFaceSteps[6][3] = {{-1, 0, 0}, {1, 0, 0},  {0, -1, 0},
                                  {0, 1, 0},  {0, 0, -1}, {0, 0, 1}};
// The two faces that hold each edge.
constexpr int kEdgeFaces[12] = {
    kMinusY | kMinusZ, kPlusX | kMinusZ, kPlusY | kMinusZ, kMinusX | kMinusZ,  // edges 0-3
    kMinusY | kPlusZ,  kPlusX | kPlusZ,  kPlusY | kPlusZ,  kMinusX | kPlusZ,   // edges 4-7
    kMinusX | kMinusY, kPlusX | kMinusY, kPlusX | kPlusY,  kMinusX | kPlusY};  // edges 8-11

LatticeKey KeyOf(int x, int y, int z) {
  return MakeLatticeKey(static_cast<uint16_t>(x), static_cast<uint16_t>(y),
                        static_cast<uint16_t>(z));
}

}  // namespace

void BlobSurface::Polygonise(std::span<BlobRecord> blobs, const BlobField& field, float cellSize,
                             float isoLevel, BlobMesh& mesh) {
  field_ = &field;
  mesh_ = &mesh;
  cellSize_ = cellSize;
  isoLevel_ = isoLevel;
  mesh.vertices.clear();
  mesh.indices.clear();
  mesh.truncated = false;
  processedCubes_.Clear();
  cornerValues_.Clear();
  edgeVertices_.Clear();
  if (blobs.empty()) return;
  PlaceLattice(blobs);

  int nextComponent = 1;
  for (BlobRecord& blob : blobs) {
    blob.component = 0;
    LatticePoint start{};
    if (!FindStartCube(blob, &start)) continue;
    if (const int* component = processedCubes_.Find(KeyOf(start.x, start.y, start.z))) {
      blob.component = *component;
      continue;
    }
    blob.component = nextComponent;
    FloodFill(start, nextComponent);
    ++nextComponent;
  }
}

void BlobSurface::PlaceLattice(std::span<const BlobRecord> blobs) {
  D3DVECTOR low = blobs.front().centre, high = low;
  for (const BlobRecord& blob : blobs) {
    low = {std::min(low.x, blob.centre.x), std::min(low.y, blob.centre.y),
           std::min(low.z, blob.centre.z)};
    high = {std::max(high.x, blob.centre.x), std::max(high.y, blob.centre.y),
            std::max(high.z, blob.centre.z)};
  }
  const float lows[3] = {low.x, low.y, low.z}, highs[3] = {high.x, high.y, high.z};
  float origin[3];
  for (int axis = 0; axis < 3; ++axis) {
    const float first = std::floor((lows[axis] - kLatticeMargin) / cellSize_);
    const float last = std::ceil((highs[axis] + kLatticeMargin) / cellSize_);
    origin[axis] = first * cellSize_;
    cubes_[axis] = std::max(static_cast<int>(last - first), 1);
  }
  origin_ = {origin[0], origin[1], origin[2]};
}

bool BlobSurface::InLattice(const LatticePoint& cube) const {
  return cube.x >= 0 && cube.y >= 0 && cube.z >= 0 && cube.x < cubes_[0] && cube.y < cubes_[1] &&
         cube.z < cubes_[2];
}

float BlobSurface::CornerValue(const LatticePoint& corner) {
  const LatticeKey key = KeyOf(corner.x, corner.y, corner.z);
  if (const float* known = cornerValues_.Find(key)) return *known;
  const D3DVECTOR position = {origin_.x + static_cast<float>(corner.x) * cellSize_,
                              origin_.y + static_cast<float>(corner.y) * cellSize_,
                              origin_.z + static_cast<float>(corner.z) * cellSize_};
  const float value = field_->ValueAt(position);
  cornerValues_.Insert(key, value);
  return value;
}

int BlobSurface::Classify(const LatticePoint& cube, float values[8]) {
  int caseNumber = 0;
  for (int i = 0; i < 8; ++i) {
    values[i] = CornerValue({cube.x + kCornerOffsets[i][0], cube.y + kCornerOffsets[i][1],
                             cube.z + kCornerOffsets[i][2]});
    if (values[i] < isoLevel_) caseNumber |= 1 << i;
  }
  return caseNumber;
}

bool BlobSurface::FindStartCube(const BlobRecord& blob, LatticePoint* cube) {
  *cube = {static_cast<int>(std::floor((blob.centre.x - origin_.x) / cellSize_)),
           static_cast<int>(std::floor((blob.centre.y - origin_.y) / cellSize_)),
           static_cast<int>(std::floor((blob.centre.z - origin_.z) / cellSize_))};
  float values[8];
  for (; InLattice(*cube); ++cube->z) {
    const int caseNumber = Classify(*cube, values);
    if (caseNumber == 255) return false;  // wholly outside before any crossing
    if (caseNumber != 0) return true;
  }
  return false;
}

void BlobSurface::FloodFill(const LatticePoint& start, int component) {
  // An explicit stack instead of recursion: the neighbours are pushed in reverse, so they
  // are entered in the order -x, +x, -y, +y, -z, +z, each one's surface before the next.
  pending_.clear();
  pending_.push_back(start);
  while (!pending_.empty()) {
    const LatticePoint cube = pending_.back();
    pending_.pop_back();
    const LatticeKey key = KeyOf(cube.x, cube.y, cube.z);
    if (processedCubes_.Find(key) != nullptr) continue;

    float values[8];
    const int caseNumber = Classify(cube, values);
    const uint16_t crossed = kCubeEdgeMasks[caseNumber];
    int vertexOnEdge[12];
    int faces = 0;
    for (int edge = 0; edge < 12; ++edge) {
      if ((crossed & (1 << edge)) == 0) continue;
      vertexOnEdge[edge] = EdgeVertex(cube, edge, values);
      faces |= kEdgeFaces[edge];
    }
    const int8_t* triangles = kCubeTriangles[caseNumber];
    for (int i = 0; triangles[i] >= 0; i += 3) {
      const int a = vertexOnEdge[triangles[i]], b = vertexOnEdge[triangles[i + 1]],
                c = vertexOnEdge[triangles[i + 2]];
      if (a < 0 || b < 0 || c < 0) continue;
      mesh_->indices.insert(
          mesh_->indices.end(),
          {static_cast<uint16_t>(a), static_cast<uint16_t>(b), static_cast<uint16_t>(c)});
    }
    processedCubes_.Insert(key, component);

    for (int face = 5; face >= 0; --face) {
      if ((faces & (1 << face)) == 0) continue;
      const LatticePoint next{cube.x + kFaceSteps[face][0], cube.y + kFaceSteps[face][1],
                              cube.z + kFaceSteps[face][2]};
      if (InLattice(next)) pending_.push_back(next);
    }
  }
}

int BlobSurface::EdgeVertex(const LatticePoint& cube, int edge, const float values[8]) {
  const int a = kEdgeCorners[edge][0], b = kEdgeCorners[edge][1];
  // An edge is named by its lower corner and its axis, whichever cube reaches it.
  int lower[3], axis = 0;
  for (int i = 0; i < 3; ++i) {
    lower[i] = std::min(kCornerOffsets[a][i], kCornerOffsets[b][i]);
    if (kCornerOffsets[a][i] != kCornerOffsets[b][i]) axis = i;
  }
  const LatticeKey key =
      KeyOf(cube.x + lower[0], cube.y + lower[1], cube.z + lower[2]) | LatticeKey(axis) << 48;
  if (const int* known = edgeVertices_.Find(key)) return *known;
  if (mesh_->vertices.size() >= kMaxBlobMeshVertices) {
    mesh_->truncated = true;
    return -1;
  }

  const float fa = values[a], fb = values[b];
  const float w = (fb - isoLevel_) / (fb - fa);
  const auto coordinate = [&](int axisIndex, float origin, int at) {
    const float pa = origin + static_cast<float>(at + kCornerOffsets[a][axisIndex]) * cellSize_;
    const float pb = origin + static_cast<float>(at + kCornerOffsets[b][axisIndex]) * cellSize_;
    return w * pa + (1.0f - w) * pb;
  };
  const int index = static_cast<int>(mesh_->vertices.size());
  mesh_->vertices.push_back({coordinate(0, origin_.x, cube.x), coordinate(1, origin_.y, cube.y),
                             coordinate(2, origin_.z, cube.z), 0, 0, 0});
  edgeVertices_.Insert(key, index);
  return index;
}
