#pragma once
// The metaballs' surface as a triangle mesh, by marching cubes that follow the surface: from
// each blob's centre a short march in +z finds a cube the surface crosses, and a flood fill
// from there visits only the cubes the surface crosses, across the faces it crosses. Caches
// keyed by lattice corner and lattice edge make every field value and every vertex once, so
// the cubes around an edge share its vertex.
#include <cstdint>
#include <span>
#include <vector>

#include "effects/blob_field.h"
#include "effects/lattice_map.h"
#include "scene/scene_vertex.h"

// Vertices and 16-bit triangle-list indices. The polygoniser fills the positions only.
struct BlobMesh {
  std::vector<SceneVertex> vertices;
  std::vector<uint16_t> indices;
  // The surface needed more vertices than 16-bit indices reach: the triangles that would
  // have used the others are left out.
  bool truncated = false;
};

// The most vertices a mesh holds, so that every index fits 16 bits.
inline constexpr size_t kMaxBlobMeshVertices = 0xFFFF;

class BlobSurface {
 public:
  // Fills `mesh` (emptied first) with the surface where `field`, filed from `blobs`, equals
  // `isoLevel`, on a lattice of cubes of side `cellSize` over the blobs' bounding box
  // enlarged by 1.1 on every side. Each blob records the number (from 1) of the surface
  // component it was found on; a blob whose component is already done only records it.
  // Lattice coordinates are 16-bit, so the lattice must be under 65,536 cubes each way.
  void Polygonise(std::span<BlobRecord> blobs, const BlobField& field, float cellSize,
                  float isoLevel, BlobMesh& mesh);

 private:
  // Lattice coordinates of a cube (its lowest corner) or of a corner.
  struct LatticePoint {
    int x, y, z;
  };

  void PlaceLattice(std::span<const BlobRecord> blobs);
  float CornerValue(const LatticePoint& corner);
  // The case number of `cube`, with its corners' values in `values`.
  int Classify(const LatticePoint& cube, float values[8]);
  // The cube where the march in +z from `blob`'s centre meets the surface; false when it
  // leaves the surface's inside without crossing it.
  bool FindStartCube(const BlobRecord& blob, LatticePoint* cube);
  void FloodFill(const LatticePoint& start, int component);
  // The vertex on edge `edge` of `cube`, made on first use; -1 when the mesh is full.
  int EdgeVertex(const LatticePoint& cube, int edge, const float values[8]);
  bool InLattice(const LatticePoint& cube) const;

  const BlobField* field_ = nullptr;
  BlobMesh* mesh_ = nullptr;
  float cellSize_ = 0;
  float isoLevel_ = 0;
  D3DVECTOR origin_{};  // the lattice's lowest corner
  int cubes_[3] = {};   // cubes along each axis

  LatticeMap<int> processedCubes_;  // cube -> component number
  LatticeMap<float> cornerValues_;
  LatticeMap<int> edgeVertices_;  // lattice edge -> vertex index
  std::vector<LatticePoint> pending_;
};
