// The marching-cubes tables: their known properties, and the surfaces they make on random
// fields, which must close up between neighbouring cubes and face one way throughout.
#include "effects/marching_cubes_tables.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <random>

namespace {

constexpr int kCorners[8][3] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0},
                                {0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}};
constexpr int kEdges[12][2] = {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {4, 5}, {5, 6},
                               {6, 7}, {7, 4}, {0, 4}, {1, 5}, {2, 6}, {3, 7}};

// The edges of case `c` whose corners lie on opposite sides of the surface.
uint16_t CrossedEdges(int c) {
  uint16_t mask = 0;
  for (int e = 0; e < 12; ++e) {
    if (((c >> kEdges[e][0]) & 1) != ((c >> kEdges[e][1]) & 1)) mask |= 1 << e;
  }
  return mask;
}

TEST(MarchingCubesTables, EachCaseUsesExactlyTheEdgesItsMaskMarks) {
  EXPECT_EQ(kCubeEdgeMasks[0], 0);
  EXPECT_EQ(kCubeEdgeMasks[255], 0);
  EXPECT_EQ(kCubeTriangles[0][0], -1);
  EXPECT_EQ(kCubeTriangles[255][0], -1);
  for (int c = 0; c < 256; ++c) {
    EXPECT_EQ(kCubeEdgeMasks[c], CrossedEdges(c)) << c;
    int length = 0;
    while (length < 16 && kCubeTriangles[c][length] >= 0) ++length;
    ASSERT_LT(length, 16) << c;  // at most five triangles, then -1
    EXPECT_EQ(length % 3, 0) << c;
    uint16_t used = 0;
    for (int i = 0; i < length; ++i) used |= 1 << kCubeTriangles[c][i];
    EXPECT_EQ(used, kCubeEdgeMasks[c]) << c;
  }
}

// A lattice edge by its two corners, the lower first.
using LatticeEdge = std::array<int, 6>;

LatticeEdge EdgeOf(int x, int y, int z, int edge) {
  const int* a = kCorners[kEdges[edge][0]];
  const int* b = kCorners[kEdges[edge][1]];
  LatticeEdge first = {x + a[0], y + a[1], z + a[2], x + b[0], y + b[1], z + b[2]};
  const LatticeEdge second = {first[3], first[4], first[5], first[0], first[1], first[2]};
  return std::min(first, second);
}

TEST(MarchingCubesTables, RandomFieldsGiveClosedConsistentlyFacingSurfaces) {
  // Every side of every triangle inside the lattice must be met once in each direction by
  // the triangles around it: no holes between cubes, and one facing throughout.
  constexpr int kSide = 7;
  std::mt19937 random(7);
  std::uniform_real_distribution<float> value(0.0f, 1.0f);
  std::array<bool, 256> seen{};
  for (int round = 0; round < 30; ++round) {
    std::vector<float> field((kSide + 1) * (kSide + 1) * (kSide + 1));
    for (float& v : field) v = value(random);
    const auto at = [&](int x, int y, int z) {
      return field[(z * (kSide + 1) + y) * (kSide + 1) + x];
    };
    std::map<std::pair<LatticeEdge, LatticeEdge>, int> sides;
    for (int z = 0; z < kSide; ++z) {
      for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
          int c = 0;
          for (int i = 0; i < 8; ++i) {
            if (at(x + kCorners[i][0], y + kCorners[i][1], z + kCorners[i][2]) < 0.5f) c |= 1 << i;
          }
          seen[c] = true;
          for (int i = 0; kCubeTriangles[c][i] >= 0; i += 3) {
            for (int k = 0; k < 3; ++k) {
              sides[{EdgeOf(x, y, z, kCubeTriangles[c][i + k]),
                     EdgeOf(x, y, z, kCubeTriangles[c][i + (k + 1) % 3])}]++;
            }
          }
        }
      }
    }
    const auto onBoundary = [](const LatticeEdge& e) {
      for (int axis = 0; axis < 3; ++axis) {
        if (e[axis] == e[axis + 3] && (e[axis] == 0 || e[axis] == kSide)) return true;
      }
      return false;
    };
    for (const auto& [side, count] : sides) {
      ASSERT_EQ(count, 1);
      if (onBoundary(side.first) && onBoundary(side.second)) continue;
      ASSERT_EQ(sides.count({side.second, side.first}), 1u) << "round " << round;
    }
  }
  int casesSeen = 0;
  for (bool s : seen) casesSeen += s;
  EXPECT_GT(casesSeen, 200);  // the check reached nearly every case
}

TEST(MarchingCubesTables, TrianglesFaceAwayFromTheInside) {
  // Case 1: only corner 0 is outside. Its triangle's normal points towards corner 0.
  const float mid[3][3] = {{0.5f, 0, 0}, {0, 0, 0.5f}, {0, 0.5f, 0}};  // edges 0, 8, 3
  ASSERT_EQ(kCubeTriangles[1][0], 0);
  ASSERT_EQ(kCubeTriangles[1][1], 8);
  ASSERT_EQ(kCubeTriangles[1][2], 3);
  const float u[3] = {mid[1][0] - mid[0][0], mid[1][1] - mid[0][1], mid[1][2] - mid[0][2]};
  const float v[3] = {mid[2][0] - mid[0][0], mid[2][1] - mid[0][1], mid[2][2] - mid[0][2]};
  const float normal[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2],
                           u[0] * v[1] - u[1] * v[0]};
  EXPECT_LT(normal[0], 0);
  EXPECT_LT(normal[1], 0);
  EXPECT_LT(normal[2], 0);
}

}  // namespace
