#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "families.h"
#include "scene/geom_object_record.h"
#include "shapes/ball_sprite.h"

namespace {

// The shape morph's table: stream, y offset, scale.
struct ShapeSlot {
  const char* stream;
  float offset, scale;
};
constexpr ShapeSlot kTable[] = {{"box", 43, 60},    {"sphere", 0, 0.8f}, {"box", 43, 0.6f},
                                {"cone", 36, 0.8f}, {"torus", 0, 1},     {"teapot", 17, 1.2f},
                                {"dolphin", 0, 5},  {"box", 43, 5}};

const std::vector<ArchiveEntry>& Entries() {
  static const std::vector<ArchiveEntry> entries = MakeShapeEntries();
  return entries;
}

MeshFrame ShapeFrame(const std::string& name) {
  for (const ArchiveEntry& entry : Entries()) {
    if (entry.name != name) continue;
    GeomObjectRecord record;
    EXPECT_EQ(ReadGeomObjectRecord(entry.bytes.data(), entry.bytes.size(), record), S_OK);
    EXPECT_EQ(record.frames.size(), 1u);
    return record.frames.empty() ? MeshFrame{} : record.frames[0];
  }
  ADD_FAILURE() << "no entry " << name;
  return {};
}

struct Bounds {
  D3DXVECTOR3 low{1e9f, 1e9f, 1e9f}, high{-1e9f, -1e9f, -1e9f};
};

Bounds BoundsOf(const MeshFrame& frame) {
  Bounds bounds;
  for (const D3DXVECTOR3& p : frame.positions) {
    bounds.low = {std::min(bounds.low.x, p.x), std::min(bounds.low.y, p.y),
                  std::min(bounds.low.z, p.z)};
    bounds.high = {std::max(bounds.high.x, p.x), std::max(bounds.high.y, p.y),
                   std::max(bounds.high.z, p.z)};
  }
  return bounds;
}

D3DXVECTOR3 Cross(D3DXVECTOR3 a, D3DXVECTOR3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
D3DXVECTOR3 Minus(D3DXVECTOR3 a, D3DXVECTOR3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
float Dot(D3DXVECTOR3 a, D3DXVECTOR3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
float Length(D3DXVECTOR3 v) { return std::sqrt(Dot(v, v)); }

std::vector<float> TriangleAreas(const MeshFrame& frame) {
  std::vector<float> areas;
  for (const MeshFace& f : frame.faces) {
    const D3DXVECTOR3 a = frame.positions[f.a];
    areas.push_back(0.5f *
                    Length(Cross(Minus(frame.positions[f.b], a), Minus(frame.positions[f.c], a))));
  }
  return areas;
}

// Volume enclosed by the faces, positive when they face outward.
double SignedVolume(const MeshFrame& frame) {
  double volume = 0;
  for (const MeshFace& f : frame.faces) {
    volume += Dot(frame.positions[f.a], Cross(frame.positions[f.b], frame.positions[f.c])) / 6.0;
  }
  return volume;
}

// The edges (by position, so that seam copies count as one vertex) that no face crosses in
// the opposite direction, counted as closed loops; -1 when an edge is used twice the same
// way or the open edges do not form loops.
int OpenLoops(const MeshFrame& frame) {
  using Point = std::tuple<float, float, float>;
  const auto at = [&](uint16_t i) {
    const D3DXVECTOR3 p = frame.positions[i];
    return Point{p.x, p.y, p.z};
  };
  std::map<std::pair<Point, Point>, int> directed;
  for (const MeshFace& f : frame.faces) {
    for (auto [from, to] : {std::pair{f.a, f.b}, std::pair{f.b, f.c}, std::pair{f.c, f.a}}) {
      if (++directed[{at(from), at(to)}] > 1) return -1;
    }
  }
  std::map<Point, Point> next;
  for (const auto& [edge, count] : directed) {
    if (directed.count({edge.second, edge.first}) > 0) continue;
    if (!next.emplace(edge.first, edge.second).second) return -1;
  }
  int loops = 0;
  while (!next.empty()) {
    Point point = next.begin()->first;
    for (auto step = next.find(point); step != next.end(); step = next.find(point)) {
      point = step->second;
      next.erase(step);
    }
    ++loops;
  }
  return loops;
}

TEST(ShapeEntries, AreTheSixMeshesAndTheSprite) {
  std::vector<std::string> names;
  for (const ArchiveEntry& entry : Entries()) {
    EXPECT_FALSE(entry.isStorage);
    names.push_back(entry.name);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"box", "sphere", "cone", "torus", "teapot", "dolphin",
                                             "ball.png"}));
}

TEST(ShapeEntries, AreTheSameEveryTime) {
  const std::vector<ArchiveEntry> again = MakeShapeEntries();
  ASSERT_EQ(again.size(), Entries().size());
  for (size_t i = 0; i < again.size(); ++i)
    EXPECT_EQ(again[i].bytes, Entries()[i].bytes) << again[i].name;
}

TEST(ShapeMeshes, AreWellFormedStaticMeshes) {
  for (const char* name : {"box", "sphere", "cone", "torus", "teapot", "dolphin"}) {
    const MeshFrame frame = ShapeFrame(name);
    EXPECT_GT(frame.faces.size(), 500u) << name;
    EXPECT_LT(frame.positions.size(), 4000u) << name;
    EXPECT_TRUE(FacesIndexPositions(frame)) << name;
    ASSERT_EQ(frame.vectors.size(), frame.positions.size()) << name;
    EXPECT_EQ(frame.uvs.size(), frame.positions.size()) << name;
    for (const D3DXVECTOR3& normal : frame.vectors) EXPECT_NEAR(Length(normal), 1, 1e-3f) << name;
    float farthest = 0;
    for (const D3DXVECTOR3& p : frame.positions) farthest = std::max(farthest, Length(p));
    EXPECT_FLOAT_EQ(frame.radius, farthest) << name;
  }
}

TEST(ShapeMeshes, SpreadTheCloudEvenly) {
  // The morph picks triangles uniformly, not by area: the plain solids must be cut into
  // triangles of nearly one size, and no mesh may waste its particles on slivers.
  for (const char* name : {"box", "sphere", "cone", "torus"}) {
    std::vector<float> areas = TriangleAreas(ShapeFrame(name));
    std::sort(areas.begin(), areas.end());
    EXPECT_LT(areas.back() / areas.front(), 2.0f) << name;
  }
  for (const char* name : {"teapot", "dolphin"}) {
    std::vector<float> areas = TriangleAreas(ShapeFrame(name));
    std::sort(areas.begin(), areas.end());
    EXPECT_GT(areas.front(), 0.01f * areas[areas.size() / 2]) << name;
  }
}

TEST(ShapeMeshes, AreClosedAndFaceOutward) {
  constexpr double kPi = 3.14159265358979;
  const struct {
    const char* name;
    double volume;
  } solids[] = {{"box", 70.0 * 70 * 70},
                {"sphere", 4 * kPi / 3 * 40 * 40 * 40},
                {"cone", kPi * 36 * 36 * 72 / 3},
                {"torus", 2 * kPi * kPi * 26 * 9 * 9}};
  for (const auto& solid : solids) {
    const MeshFrame frame = ShapeFrame(solid.name);
    EXPECT_EQ(OpenLoops(frame), 0) << solid.name;
    // Within what cutting curves into flat triangles takes away.
    EXPECT_NEAR(SignedVolume(frame), solid.volume, 0.05 * solid.volume) << solid.name;
  }
  // Spout and handle (teapot), fins and flukes (dolphin) are open only where they enter
  // the body: one end of the spout, both of the handle; one root per fin or fluke.
  EXPECT_EQ(OpenLoops(ShapeFrame("teapot")), 3);
  EXPECT_EQ(OpenLoops(ShapeFrame("dolphin")), 5);
  EXPECT_GT(SignedVolume(ShapeFrame("teapot")), 0);
  EXPECT_GT(SignedVolume(ShapeFrame("dolphin")), 0);
}

// Each mesh as its own builder made it, before it is moved left of the morph's axis:
// positions taken about the middle of its x extent.
MeshFrame AboutItsMiddle(MeshFrame frame) {
  const Bounds bounds = BoundsOf(frame);
  const float middle = (bounds.low.x + bounds.high.x) * 0.5f;
  for (D3DXVECTOR3& p : frame.positions) p.x -= middle;
  return frame;
}

TEST(ShapeMeshes, HaveTheSizesTheirPlacesExpect) {
  const Bounds box = BoundsOf(AboutItsMiddle(ShapeFrame("box")));
  EXPECT_FLOAT_EQ(box.low.x, -35);
  EXPECT_FLOAT_EQ(box.high.z, 35);
  EXPECT_FLOAT_EQ(box.low.y, 8);
  EXPECT_FLOAT_EQ(box.high.y, 78);
  for (const D3DXVECTOR3& p : AboutItsMiddle(ShapeFrame("sphere")).positions) {
    EXPECT_NEAR(Length(p), 40, 0.02f);
  }
  const Bounds cone = BoundsOf(AboutItsMiddle(ShapeFrame("cone")));
  EXPECT_FLOAT_EQ(cone.low.y, 0);
  EXPECT_FLOAT_EQ(cone.high.y, 72);
  EXPECT_NEAR(cone.high.x, 36, 1e-4f);
  // The ring's polygon is not quite symmetric across, so its middle is a little off.
  for (const D3DXVECTOR3& p : AboutItsMiddle(ShapeFrame("torus")).positions) {
    const float fromRing = std::hypot(std::hypot(p.x, p.y) - 26, p.z);
    EXPECT_NEAR(fromRing, 9, 0.05f);
  }
  const Bounds teapot = BoundsOf(ShapeFrame("teapot"));
  EXPECT_FLOAT_EQ(teapot.low.y, 0);
  EXPECT_FLOAT_EQ(teapot.high.y, 34);
}

TEST(ShapeMeshes, SitLeftOfTheHelixInTheViewOfTheMorph) {
  // Placed as the morph places them (y less the offset, times the scale) and seen from
  // its camera, 60 in front with a 90-degree view, the framed entries (all but the first
  // and last, which fly in from and out to far away) are centred vertically, fill a good
  // part of the picture without leaving it, and reach no further right than the outermost
  // swing of the helix, whose panel covers the right 40 % of the picture and whose strands
  // come no nearer than about 0.3 right of centre.
  for (size_t slot = 1; slot + 1 < std::size(kTable); ++slot) {
    const ShapeSlot& entry = kTable[slot];
    const MeshFrame frame = ShapeFrame(entry.stream);
    const Bounds bounds = BoundsOf(frame);
    const float middle = ((bounds.low.y + bounds.high.y) * 0.5f - entry.offset) * entry.scale;
    EXPECT_LT(std::fabs(middle), 3) << entry.stream;
    EXPECT_LT((bounds.low.x + bounds.high.x) * 0.5f * entry.scale, -6) << entry.stream;
    const float width = (bounds.high.x - bounds.low.x) * entry.scale;
    const float height = (bounds.high.y - bounds.low.y) * entry.scale;
    EXPECT_GT(std::max(width, height), 40) << entry.stream;
    EXPECT_LT(std::max(width, height), 100) << entry.stream;
    for (const D3DXVECTOR3& p : frame.positions) {
      const float depth = p.z * entry.scale + 60;
      ASSERT_LT(std::fabs(p.x * entry.scale), depth) << entry.stream;
      ASSERT_LT(p.x * entry.scale, 0.4f * depth) << entry.stream;
      ASSERT_LT(std::fabs((p.y - entry.offset) * entry.scale), depth) << entry.stream;
    }
  }
}

TEST(BallSprite, GlowsOnlyInTheHalfTheParticlesShow) {
  const PixelImage ball = BallSprite();
  ASSERT_EQ(ball.width(), 64);
  ASSERT_EQ(ball.height(), 64);
  int brightest = 0;
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      const Rgba8 pixel = ball.at(x, y);
      const int light = pixel.r + pixel.g + pixel.b;
      brightest = std::max(brightest, light);
      // Black on the border (any addressing mode is safe) and beyond the diagonal that the
      // particle triangles cut along, with a texel to spare for filtering.
      if (x == 0 || y == 0 || x == 63 || y == 63 || x + y >= 62) {
        EXPECT_EQ(light, 0) << x << "," << y;
      }
    }
  }
  const Rgba8 centre = ball.at(18, 18);
  EXPECT_GT(centre.r + centre.g + centre.b, 600);
  EXPECT_EQ(brightest, centre.r + centre.g + centre.b);
  // An RGB picture: the morph adds the colour and never reads alpha.
  const std::vector<uint8_t> png = BallSpritePng();
  ASSERT_GT(png.size(), 26u);
  EXPECT_EQ(png[25], 2);  // IHDR colour type: truecolour without alpha
}

}  // namespace
