// The metaballs' field through its grid, and the surface the polygoniser follows: where its
// vertices lie, that it closes, that each lattice edge has one vertex, that merged blobs are
// polygonised once, and what happens when 16-bit indices run out.
#include "effects/blob_surface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <tuple>
#include <vector>

#include "effects/env_map_effect.h"

namespace {

constexpr float kCell = 0.2f;
constexpr float kIso = 1.0f;
const float kIsoRadius = 1.0f / std::sqrt(2.0f);

float Distance(const SceneVertex& v, const D3DVECTOR& c) {
  return std::sqrt((v.x - c.x) * (v.x - c.x) + (v.y - c.y) * (v.y - c.y) +
                   (v.z - c.z) * (v.z - c.z));
}

// Polygonises `blobs` as the blob effect does.
struct Polygonised {
  explicit Polygonised(std::vector<BlobRecord> records, float cell = kCell)
      : blobs(std::move(records)) {
    field.Rebuild(blobs);
    surface.Polygonise(blobs, field, cell, kIso, mesh);
  }
  std::vector<BlobRecord> blobs;
  BlobField field;
  BlobSurface surface;
  BlobMesh mesh;
};

std::vector<BlobRecord> BlobsAt(std::initializer_list<D3DVECTOR> centres) {
  std::vector<BlobRecord> blobs;
  for (const D3DVECTOR& c : centres) blobs.push_back({c});
  return blobs;
}

// Every side of every triangle is shared with exactly one other triangle, which runs it the
// other way: the surface is closed and faces one way.
void ExpectClosed(const BlobMesh& mesh) {
  std::map<std::pair<int, int>, int> sides;
  for (size_t i = 0; i < mesh.indices.size(); i += 3) {
    for (int k = 0; k < 3; ++k) sides[{mesh.indices[i + k], mesh.indices[i + (k + 1) % 3]}]++;
  }
  for (const auto& [side, count] : sides) {
    ASSERT_EQ(count, 1);
    ASSERT_EQ(sides.count({side.second, side.first}), 1u) << side.first << "-" << side.second;
  }
}

// Each vertex lies on one edge of the lattice (two of its coordinates on lattice planes);
// no two vertices may lie on the same one.
void ExpectOneVertexPerLatticeEdge(const BlobMesh& mesh) {
  std::set<std::tuple<long, long, long, int>> edges;
  for (const SceneVertex& v : mesh.vertices) {
    const float coordinates[3] = {v.x, v.y, v.z};
    long lattice[3];
    int along = -1;
    for (int axis = 0; axis < 3; ++axis) {
      const float steps = coordinates[axis] / kCell;
      if (std::fabs(steps - std::round(steps)) < 1e-3f) {
        lattice[axis] = std::lround(steps);
      } else {
        ASSERT_EQ(along, -1) << "a vertex off the lattice's edges";
        along = axis;
        lattice[axis] = static_cast<long>(std::floor(steps));
      }
    }
    if (along < 0) continue;  // on a corner exactly: it has no single edge
    EXPECT_TRUE(edges.insert({lattice[0], lattice[1], lattice[2], along}).second)
        << "two vertices on one lattice edge";
  }
}

TEST(BlobField, OneBlobReachesTheLevelAtOneOverRootTwoAndEndsAtOne) {
  std::vector<BlobRecord> blobs = BlobsAt({{0.5f, -0.25f, 2}});
  BlobField field;
  field.Rebuild(blobs);
  EXPECT_NEAR(field.ValueAt({0.5f + kIsoRadius, -0.25f, 2}), 1.0f, 1e-5);
  EXPECT_NEAR(field.ValueAt({0.5f, -0.25f + 0.5f, 2}), 3.0f, 1e-5);
  EXPECT_EQ(field.ValueAt({0.5f, -0.25f, 3.0f}), 0.0f);
  EXPECT_EQ(field.ValueAt({0.5f, -0.25f, 9}), 0.0f);
}

TEST(BlobField, TheGridFindsEveryNearBlobAcrossItsCells) {
  // Blobs far apart in several cells, and readings that each lie near one, near two, or
  // off the grid.
  std::vector<BlobRecord> blobs = BlobsAt({{0, 0, 0}, {4, 0, 0}, {4.9f, 0.3f, 0}, {0, 5, -3}});
  BlobField field;
  field.Rebuild(blobs);
  const auto direct = [&](const D3DVECTOR& p) {
    float sum = 0;
    for (const BlobRecord& b : blobs) {
      const float dx = p.x - b.centre.x, dy = p.y - b.centre.y, dz = p.z - b.centre.z;
      const float r2 = dx * dx + dy * dy + dz * dz;
      if (r2 < 1) sum += 1 / r2 - 1;
    }
    return sum;
  };
  for (float x = -1.5f; x <= 6.0f; x += 0.37f) {
    for (float y = -1.5f; y <= 6.5f; y += 0.41f) {
      for (float z = -4.5f; z <= 1.5f; z += 0.53f) {
        const D3DVECTOR p{x, y, z};
        ASSERT_FLOAT_EQ(field.ValueAt(p), direct(p)) << x << "," << y << "," << z;
      }
    }
  }
}

TEST(BlobSurface, AnIsolatedBlobIsAClosedSphereOfRadiusOneOverRootTwo) {
  const D3DVECTOR centre{0.33f, -0.71f, 0.05f};
  Polygonised result(BlobsAt({centre}));
  ASSERT_GT(result.mesh.vertices.size(), 100u);
  for (const SceneVertex& v : result.mesh.vertices) {
    ASSERT_NEAR(Distance(v, centre), kIsoRadius, kCell / 4);
  }
  EXPECT_EQ(result.blobs[0].component, 1);
  EXPECT_FALSE(result.mesh.truncated);
  ExpectClosed(result.mesh);
  ExpectOneVertexPerLatticeEdge(result.mesh);
}

TEST(BlobSurface, SeparateBlobsAreSeparateComponentsAndMergedBlobsArePolygonisedOnce) {
  Polygonised apart(BlobsAt({{-2, 0, 0}, {2, 0, 0}}));
  EXPECT_EQ(apart.blobs[0].component, 1);
  EXPECT_EQ(apart.blobs[1].component, 2);
  Polygonised single(BlobsAt({{-2, 0, 0}}));
  EXPECT_EQ(apart.mesh.indices.size(), 2 * single.mesh.indices.size());

  // Close enough to merge: the second blob's start cube is already done.
  Polygonised merged(BlobsAt({{-0.3f, 0, 0}, {0.3f, 0, 0}, {-0.3f, 0, 0}}));
  EXPECT_EQ(merged.blobs[0].component, 1);
  EXPECT_EQ(merged.blobs[1].component, 1);
  EXPECT_EQ(merged.blobs[2].component, 1);
  ExpectClosed(merged.mesh);
  ExpectOneVertexPerLatticeEdge(merged.mesh);
}

TEST(BlobSurface, TheEffectsBlobsMakeAValidMeshAtEveryMoment) {
  std::vector<BlobRecord> blobs(kBlobCount);
  BlobField field;
  BlobSurface surface;  // reused, as the effect reuses it every frame
  BlobMesh mesh;
  for (float t = 0.0f; t <= 1.0f; t += 0.0625f) {
    const auto centres = BlobCentresAt(t);
    for (int i = 0; i < kBlobCount; ++i) blobs[i].centre = centres[i];
    field.Rebuild(blobs);
    surface.Polygonise(blobs, field, kCell, kIso, mesh);
    SCOPED_TRACE(t);
    ASSERT_FALSE(mesh.vertices.empty());
    ASSERT_EQ(mesh.indices.size() % 3, 0u);
    for (uint16_t index : mesh.indices) ASSERT_LT(index, mesh.vertices.size());
    ExpectOneVertexPerLatticeEdge(mesh);
    ExpectClosed(mesh);
    for (const BlobRecord& blob : blobs) EXPECT_GE(blob.component, 1);
    for (const SceneVertex& v : mesh.vertices) {
      ASSERT_NEAR(field.ValueAt({v.x, v.y, v.z}), kIso, 0.5f);  // on the surface, roughly
    }
  }
}

TEST(BlobSurface, ASurfaceBeyondSixteenBitIndicesDrawsWhatFits) {
  Polygonised fine(BlobsAt({{0, 0, 0}}), 0.01f);
  EXPECT_TRUE(fine.mesh.truncated);
  EXPECT_EQ(fine.mesh.vertices.size(), kMaxBlobMeshVertices);
  EXPECT_GT(fine.mesh.indices.size(), 3 * 65535u);
  for (uint16_t index : fine.mesh.indices) ASSERT_LT(index, kMaxBlobMeshVertices);
}

}  // namespace
