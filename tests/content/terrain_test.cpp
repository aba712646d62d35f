// The terrain flight's landscape against the camera path that flies over it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "effects/height_field.h"
#include "terrain/heightmap.h"
#include "terrain/terrain_layout.h"

namespace {

// The landscape's surface as the effect builds its mesh: one vertex per sample, its height
// the effect's bilinear sample of the byte map, and every grid square split into the triangles
// (n, n+1, n+N+1) and (n, n+N+1, n+N) along the diagonal from (x0, z0) to (x1, z1).
class LandscapeSurface {
 public:
  explicit LandscapeSurface(std::vector<uint8_t> samples) : samples_(std::move(samples)) {}

  float VertexHeight(int column, int row) const {
    const float x = static_cast<float>(column) / (kHeightmapColumns - 1) * kLandscapeWidth;
    const float z = static_cast<float>(row) / (kHeightmapRows - 1) * kLandscapeDepth;
    return Bilinear(x / kLandscapeWidth, (kLandscapeDepth - z) / kLandscapeDepth) *
           kLandscapeHeightScale;
  }

  float HeightAt(float x, float z) const {
    const float fx = x / kLandscapeWidth * (kHeightmapColumns - 1);
    const float fz = z / kLandscapeDepth * (kHeightmapRows - 1);
    const int column = std::clamp(static_cast<int>(std::floor(fx)), 0, kHeightmapColumns - 2);
    const int row = std::clamp(static_cast<int>(std::floor(fz)), 0, kHeightmapRows - 2);
    const float a = fx - column, b = fz - row;
    const float h00 = VertexHeight(column, row), h10 = VertexHeight(column + 1, row);
    const float h11 = VertexHeight(column + 1, row + 1), h01 = VertexHeight(column, row + 1);
    if (a >= b) return h00 + a * (h10 - h00) + b * (h11 - h10);
    return h00 + b * (h01 - h00) + a * (h11 - h01);
  }

 private:
  float Bilinear(float sx, float sy) const {
    return SampleHeightmap(samples_, kHeightmapColumns, kHeightmapRows, sx, sy);
  }

  std::vector<uint8_t> samples_;
};

constexpr int kFlightSteps = 6000;

D3DVECTOR EyeAt(int step) {
  return FlightSpline(kFlightEyeKeys, static_cast<float>(step) / kFlightSteps);
}

D3DVECTOR KeyBlend(const FlightKeys& keys, int first) {
  const D3DVECTOR& a = keys[first];
  const D3DVECTOR& b = keys[first + 1];
  const D3DVECTOR& c = keys[first + 2];
  return {(a.x + 4 * b.x + c.x) / 6, (a.y + 4 * b.y + c.y) / 6, (a.z + 4 * b.z + c.z) / 6};
}

void ExpectNear(const D3DVECTOR& actual, const D3DVECTOR& expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-4f);
  EXPECT_NEAR(actual.y, expected.y, 1e-4f);
  EXPECT_NEAR(actual.z, expected.z, 1e-4f);
}

TEST(TerrainFlightPath, JoinsOfTheSplinePassTheBlendedKeys) {
  for (const FlightKeys* keys : {&kFlightEyeKeys, &kFlightTargetKeys}) {
    ExpectNear(FlightSpline(*keys, 0.0f), KeyBlend(*keys, 0));
    ExpectNear(FlightSpline(*keys, 0.4f), KeyBlend(*keys, 2));
    ExpectNear(FlightSpline(*keys, 1.0f), KeyBlend(*keys, 5));
  }
}

TEST(TerrainFlightPath, SamplesStayInsideTheLandscape) {
  for (int step = 0; step <= kFlightSteps; ++step) {
    const D3DVECTOR eye = EyeAt(step);
    ASSERT_GT(eye.x, 5.0f);
    ASSERT_LT(eye.x, kLandscapeWidth - 5.0f);
    ASSERT_GT(eye.z, 5.0f);
    ASSERT_LT(eye.z, kLandscapeDepth - 5.0f);
  }
}

class TerrainHeightmap : public ::testing::Test {
 protected:
  static const std::vector<uint8_t>& Samples() {
    static const std::vector<uint8_t> samples = MakeLandscapeHeightmap();
    return samples;
  }
  LandscapeSurface surface_{Samples()};
};

TEST_F(TerrainHeightmap, IsSixtyFourBySixtyFourBytesAndDeterministic) {
  EXPECT_EQ(Samples().size(), static_cast<size_t>(kHeightmapColumns * kHeightmapRows));
  EXPECT_EQ(MakeLandscapeHeightmap(), Samples());
}

TEST_F(TerrainHeightmap, EyeNeverMeetsTheGround) {
  for (int step = 0; step <= kFlightSteps; ++step) {
    const D3DVECTOR eye = EyeAt(step);
    ASSERT_GT(eye.y - surface_.HeightAt(eye.x, eye.z), 1.0f) << "at t = " << step / 6000.0f;
  }
}

// The near plane (0.1 away, 90 degree field) must never cut into a slope beside the eye.
TEST_F(TerrainHeightmap, GroundAroundTheEyeStaysBelowIt) {
  for (int step = 0; step <= kFlightSteps; step += 10) {
    const D3DVECTOR eye = EyeAt(step);
    for (int direction = 0; direction < 16; ++direction) {
      const float angle = direction * 0.39269908f;
      const float x = eye.x + std::cos(angle), z = eye.z + std::sin(angle);
      ASSERT_GT(eye.y - surface_.HeightAt(x, z), 0.6f) << "at t = " << step / 6000.0f;
    }
  }
}

TEST_F(TerrainHeightmap, FlightSkimsTheValleyFloor) {
  float lowest = 1e9f;
  int skimming = 0;
  for (int step = 0; step <= kFlightSteps; ++step) {
    const D3DVECTOR eye = EyeAt(step);
    const float clearance = eye.y - surface_.HeightAt(eye.x, eye.z);
    lowest = std::min(lowest, clearance);
    if (clearance < 2.5f) ++skimming;
  }
  EXPECT_LT(lowest, 1.6f);
  EXPECT_GT(skimming, kFlightSteps / 2) << "the eye flies low for most of the flight";
}

// Along the flight, ground beside the path rises above the eye on both hands.
TEST_F(TerrainHeightmap, HillsTowerOverBothSidesOfTheValley) {
  int walled = 0, samples = 0;
  for (int step = 0; step <= kFlightSteps; step += 60) {
    const D3DVECTOR eye = EyeAt(step);
    const D3DVECTOR ahead = EyeAt(std::min(step + 30, kFlightSteps));
    const D3DVECTOR behind = EyeAt(std::max(step - 30, 0));
    const float headingX = ahead.x - behind.x, headingZ = ahead.z - behind.z;
    const float length = std::hypot(headingX, headingZ);
    const float sideX = -headingZ / length, sideZ = headingX / length;
    float highest[2] = {0, 0};
    for (int hand = 0; hand < 2; ++hand) {
      const float sign = hand == 0 ? 1.0f : -1.0f;
      for (float reach = 2.0f; reach <= 16.0f; reach += 0.5f) {
        const float x = eye.x + sign * sideX * reach, z = eye.z + sign * sideZ * reach;
        highest[hand] = std::max(highest[hand], surface_.HeightAt(x, z));
      }
    }
    ++samples;
    if (highest[0] > eye.y + 1.5f && highest[1] > eye.y + 1.5f) ++walled;
  }
  EXPECT_GT(walled, samples * 3 / 4);
}

TEST_F(TerrainHeightmap, HasMountainRelief) {
  const auto [lowest, highest] = std::minmax_element(Samples().begin(), Samples().end());
  EXPECT_GT(*highest - *lowest, 150);
  double sum = 0, squares = 0;
  for (uint8_t sample : Samples()) {
    sum += sample;
    squares += static_cast<double>(sample) * sample;
  }
  const double mean = sum / Samples().size();
  EXPECT_GT(std::sqrt(squares / Samples().size() - mean * mean), 30.0);
  // Rough, not smooth: neighbouring samples often differ by several steps.
  int steep = 0;
  for (int row = 0; row < kHeightmapRows; ++row) {
    for (int column = 0; column + 1 < kHeightmapColumns; ++column) {
      const int index = row * kHeightmapColumns + column;
      if (std::abs(Samples()[index + 1] - Samples()[index]) >= 8) ++steep;
    }
  }
  EXPECT_GT(steep, kHeightmapRows * kHeightmapColumns / 5);
}

// The colour ramp is addressed with v = 1 - height + 0.01 and wraps: the lowest and
// highest few samples would take their colour from the wrong end.
TEST_F(TerrainHeightmap, KeepsClearOfTheColourRampsWrap) {
  for (uint8_t sample : Samples()) {
    ASSERT_GE(sample, 5);
    ASSERT_LE(sample, 250);
  }
}

}  // namespace
