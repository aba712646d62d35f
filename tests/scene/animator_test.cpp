#include "scene/animator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "sample_scene.h"

namespace {

// Reference maths in double precision, written from the definitions rather than from the
// animator's code.
struct Quat {
  double x, y, z, w;
};

Quat ToQuat(const D3DXQUATERNION& q) { return {q.x, q.y, q.z, q.w}; }

Quat SineSlerp(const Quat& a, const Quat& b, double s) {
  const double theta = std::acos(a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w);
  const double wa = std::sin((1 - s) * theta) / std::sin(theta);
  const double wb = std::sin(s * theta) / std::sin(theta);
  return {wa * a.x + wb * b.x, wa * a.y + wb * b.y, wa * a.z + wb * b.z, wa * a.w + wb * b.w};
}

Quat NormalisedBlend(const Quat& a, const Quat& b, double s) {
  const Quat r{a.x + s * (b.x - a.x), a.y + s * (b.y - a.y), a.z + s * (b.z - a.z),
               a.w + s * (b.w - a.w)};
  const double length = std::sqrt(r.x * r.x + r.y * r.y + r.z * r.z + r.w * r.w);
  return {r.x / length, r.y / length, r.z / length, r.w / length};
}

// The limit is the single-precision 0.95, which the dot product is compared with.
Quat ReferenceSlerp(const Quat& a, const Quat& b, double s) {
  const double d = a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w;
  return std::fabs(d) < static_cast<double>(0.95f) ? SineSlerp(a, b, s) : NormalisedBlend(a, b, s);
}

D3DXVECTOR3 ReferenceHermite(const D3DXVECTOR3& p1, const D3DXVECTOR3& t1, const D3DXVECTOR3& p2,
                             const D3DXVECTOR3& t2, double s) {
  const double h1 = 2 * s * s * s - 3 * s * s + 1, h2 = s * s * s - 2 * s * s + s;
  const double h3 = -2 * s * s * s + 3 * s * s, h4 = s * s * s - s * s;
  const auto blend = [&](float a, float b, float c, float d) {
    return static_cast<float>(h1 * a + h2 * b + h3 * c + h4 * d);
  };
  return {blend(p1.x, t1.x, p2.x, t2.x), blend(p1.y, t1.y, p2.y, t2.y),
          blend(p1.z, t1.z, p2.z, t2.z)};
}

void ExpectNear(const D3DXQUATERNION& actual, const Quat& expected, double tolerance = 2e-6) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
  EXPECT_NEAR(actual.w, expected.w, tolerance);
}

void ExpectNear(const D3DXVECTOR3& actual, const D3DXVECTOR3& expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-5);
  EXPECT_NEAR(actual.y, expected.y, 1e-5);
  EXPECT_NEAR(actual.z, expected.z, 1e-5);
}

void ExpectEqual(const D3DXVECTOR3& actual, const D3DXVECTOR3& expected) {
  EXPECT_EQ(actual.x, expected.x);
  EXPECT_EQ(actual.y, expected.y);
  EXPECT_EQ(actual.z, expected.z);
}

D3DXQUATERNION AxisTurn(float x, float y, float z, float angle) {
  const float length = std::sqrt(x * x + y * y + z * z);
  const float sine = std::sin(angle / 2) / length;
  return {x * sine, y * sine, z * sine, std::cos(angle / 2)};
}

// Position keys at times 1, 3 and 7 whose tangents all differ, so that taking a tangent
// from the wrong key shows.
std::vector<VectorKey> PositionKeys() {
  return {{1, {0, 0, 0}, {8, 0, 2}, {-8, 4, 0}},
          {3, {4, 2, 0}, {1, -3, 5}, {6, 6, -2}},
          {7, {-2, 10, 3}, {100, 100, 100}, {-100, -100, -100}}};
}

std::vector<RotationKey> RotationKeys() {
  return {{0, AxisTurn(0, 1, 0, 0), AxisTurn(1, 1, 0, 0.3f), {}},
          {2, AxisTurn(0, 1, 0, 1.5f), AxisTurn(0, 1, 1, 1.2f), {}}};
}

VectorKey ScaleKey(float time, float size) { return {time, {size, size, size}, {}, {}}; }

TEST(SceneSlerp, FollowsTheSineFormulaBetweenTheLimits) {
  const D3DXQUATERNION a = AxisTurn(0, 1, 0, 0.4f), b = AxisTurn(1, 0, 1, 2.0f);
  const D3DXQUATERNION opposite = {-b.x, -b.y, -b.z, -b.w};
  for (float s : {0.0f, 0.25f, 0.5f, 0.8f, 1.0f, 1.5f}) {
    ExpectNear(SceneSlerp(a, b, s), SineSlerp(ToQuat(a), ToQuat(b), s));
    // No sign flip: a negative dot product takes the long way round.
    ExpectNear(SceneSlerp(a, opposite, s), SineSlerp(ToQuat(a), ToQuat(opposite), s));
  }
  // Just inside the limit the sine formula still applies.
  const D3DXQUATERNION near = {0.3f, 0, 0, 0.949f};
  const D3DXQUATERNION identity = {0, 0, 0, 1};
  ExpectNear(SceneSlerp(identity, near, 0.5f), SineSlerp({0, 0, 0, 1}, ToQuat(near), 0.5));
}

TEST(SceneSlerp, BlendsLinearlyFromADotProductOfPointNineFiveOutwards) {
  const D3DXQUATERNION identity = {0, 0, 0, 1};
  // Dot products of exactly 0.95 and -0.95 with the identity, and one beyond. These
  // quaternions are not of unit length, so the sine formula would give other results.
  for (const D3DXQUATERNION& b :
       {D3DXQUATERNION{0.6f, 0, 0, 0.95f}, D3DXQUATERNION{0, 0.6f, 0, -0.95f},
        D3DXQUATERNION{0, 0, 0.4f, 0.99f}}) {
    const D3DXQUATERNION actual = SceneSlerp(identity, b, 0.3f);
    ExpectNear(actual, NormalisedBlend({0, 0, 0, 1}, ToQuat(b), 0.3));
    const Quat sine = SineSlerp({0, 0, 0, 1}, ToQuat(b), 0.3);
    EXPECT_GT(std::fabs(actual.x - sine.x) + std::fabs(actual.y - sine.y) +
                  std::fabs(actual.z - sine.z) + std::fabs(actual.w - sine.w),
              1e-3);
  }
}

TEST(SceneSlerp, LeavesAZeroBlendUnscaled) {
  const D3DXQUATERNION middle = SceneSlerp({0, 0, 0, 1}, {0, 0, 0, -1}, 0.5f);
  for (float component : {middle.x, middle.y, middle.z, middle.w}) EXPECT_EQ(component, 0.0f);
}

class EvaluateNode : public testing::Test {
 protected:
  CSceneNode& Node() { return node_; }
  NodeTrack& Track() { return animator_.tracks["node"]; }
  void At(float time) { animator_.EvaluateNode(node_, time); }

  EvaluateNode() { node_.name = "node"; }

  CAnimator animator_;
  CCamera node_;
};

TEST_F(EvaluateNode, CopiesAtOrBeforeTheFirstKeyAndHoldsAfterTheLast) {
  Track().positionKeys = PositionKeys();
  for (float time : {-5.0f, 0.0f, 1.0f}) {
    Node().moving = 1;
    At(time);
    ExpectEqual(Node().position, PositionKeys()[0].value);
    EXPECT_EQ(Node().moving, 0) << time;
    EXPECT_EQ(Node().transformDirty, 1) << time;
  }
  for (float time : {7.5f, 1000.0f, std::numeric_limits<float>::infinity()}) {
    At(time);
    ExpectEqual(Node().position, PositionKeys()[2].value);
    EXPECT_EQ(Node().moving, 0) << time;
  }
}

TEST_F(EvaluateNode, FollowsEachSegmentsHermiteCurveWithTheTangentsOfItsFirstKey) {
  const std::vector<VectorKey> keys = PositionKeys();
  Track().positionKeys = keys;
  for (float time : {1.5f, 2.0f, 2.9f}) {
    At(time);
    const double s = (time - 1.0) / 2.0;
    ExpectNear(Node().position, ReferenceHermite(keys[0].value, keys[0].startTangent, keys[1].value,
                                                 keys[0].endTangent, s));
    EXPECT_EQ(Node().moving, 1) << time;
  }
  At(4.0f);
  ExpectNear(Node().position, ReferenceHermite(keys[1].value, keys[1].startTangent, keys[2].value,
                                               keys[1].endTangent, 0.25));
  // Exactly on a later key: the segment that ends there, at s = 1, still counts as moving.
  At(3.0f);
  ExpectNear(Node().position, keys[1].value);
  EXPECT_EQ(Node().moving, 1);
}

TEST_F(EvaluateNode, AnUnorderedTimeCountsAsPastEveryKey) {
  Track().positionKeys = PositionKeys();
  At(std::numeric_limits<float>::quiet_NaN());
  ExpectEqual(Node().position, PositionKeys()[2].value);
  EXPECT_EQ(Node().moving, 0);
}

TEST_F(EvaluateNode, ASingleKeyAlwaysGivesItsValueAndNeverMoves) {
  Track().positionKeys = {{2, {1, 2, 3}, {5, 5, 5}, {5, 5, 5}}};
  Track().scaleKeys = {ScaleKey(2, 4)};
  Track().rotationKeys = {RotationKeys()[1]};
  for (float time : {0.0f, 2.0f, 9.0f}) {
    At(time);
    ExpectEqual(Node().position, {1, 2, 3});
    ExpectEqual(Node().scale, {4, 4, 4});
    EXPECT_EQ(Node().rotation.y, RotationKeys()[1].value.y);
    EXPECT_EQ(Node().moving, 0) << time;
  }
}

TEST_F(EvaluateNode, InterpolatesRotationAsASphericalQuadrangle) {
  const std::vector<RotationKey> keys = RotationKeys();
  Track().rotationKeys = keys;
  for (float time : {0.5f, 1.0f, 1.75f}) {
    At(time);
    const double s = time / 2.0;
    const Quat outer = ReferenceSlerp(ToQuat(keys[0].value), ToQuat(keys[1].value), s);
    const Quat inner = ReferenceSlerp(ToQuat(keys[0].control), ToQuat(keys[1].control), s);
    ExpectNear(Node().rotation, ReferenceSlerp(outer, inner, 2 * s * (1 - s)), 1e-5);
    EXPECT_EQ(Node().moving, 1) << time;
  }
  At(0);
  EXPECT_EQ(Node().rotation.w, keys[0].value.w);
  EXPECT_EQ(Node().moving, 0);
}

TEST_F(EvaluateNode, MovesWhenRotatingOrWhenTranslatingWithoutScaling) {
  struct Case {
    bool positionRuns, scaleRuns, rotationRuns, moving;
  };
  for (const Case& c : {Case{true, false, false, true}, Case{true, true, false, false},
                        Case{false, true, false, false}, Case{false, false, true, true},
                        Case{true, true, true, true}, Case{false, true, true, true},
                        Case{false, false, false, false}}) {
    // A list that runs has keys on either side of t = 1; one that does not has one key.
    Track().positionKeys = c.positionRuns ? PositionKeys() : std::vector{PositionKeys()[0]};
    Track().positionKeys[0].time = 0;
    Track().scaleKeys = {ScaleKey(0, 1)};
    if (c.scaleRuns) Track().scaleKeys.push_back(ScaleKey(2, 3));
    Track().rotationKeys = c.rotationRuns ? RotationKeys() : std::vector{RotationKeys()[0]};
    At(1);
    EXPECT_EQ(Node().moving, c.moving ? 1 : 0) << c.positionRuns << c.scaleRuns << c.rotationRuns;
  }
}

TEST_F(EvaluateNode, ATrackWithNoKeysMarksDirtyAndNothingElse) {
  Track();
  Node().position = {1, 2, 3};
  Node().moving = 1;
  At(5);
  EXPECT_EQ(Node().transformDirty, 1);
  EXPECT_EQ(Node().moving, 0);
  ExpectEqual(Node().position, {1, 2, 3});
  EXPECT_EQ(Node().scale.x, 1.0f);
  EXPECT_EQ(Node().rotation.w, 1.0f);
}

TEST_F(EvaluateNode, ANodeWithoutATrackKeepsItsTransformAndDirtyByte) {
  animator_.tracks["Node"].positionKeys = PositionKeys();  // names match case-sensitively
  Node().position = {1, 2, 3};
  for (uint8_t dirty : {0, 1}) {
    Node().transformDirty = dirty;
    Node().moving = 1;
    At(2);
    EXPECT_EQ(Node().transformDirty, dirty);
    EXPECT_EQ(Node().moving, 0);
    ExpectEqual(Node().position, {1, 2, 3});
  }
}

TEST(CAnimator, EvaluatesEveryNodeOfTheList) {
  CAnimator animator;
  animator.tracks["a"].positionKeys = {{0, {1, 0, 0}, {}, {}}};
  animator.tracks["c"].scaleKeys = {ScaleKey(0, 5)};
  std::vector<std::unique_ptr<CSceneNode>> nodes;
  for (const char* name : {"a", "b", "c"}) {
    nodes.push_back(std::make_unique<CLight>());
    nodes.back()->name = name;
  }
  animator.Evaluate(nodes, 1);
  EXPECT_EQ(nodes[0]->position.x, 1.0f);
  EXPECT_EQ(nodes[0]->transformDirty, 1);
  EXPECT_EQ(nodes[1]->transformDirty, 0);
  EXPECT_EQ(nodes[2]->scale.y, 5.0f);
}

// ".anim" bytes with the given tracks, each (name, position times, rotation times).
struct TrackBytes {
  std::string name;
  std::vector<float> positionTimes;
  std::vector<float> rotationTimes;
};

std::vector<uint8_t> AnimationBytes(const std::vector<TrackBytes>& tracks, uint32_t version = 1) {
  ByteWriter out;
  out.WriteU32(version);
  out.WriteF32(0.5f);
  out.WriteF32(9);
  out.WriteU32(static_cast<uint32_t>(tracks.size()));
  for (const TrackBytes& track : tracks) {
    out.WriteU32(static_cast<uint32_t>(track.name.size()));
    out.WriteBytes(reinterpret_cast<const uint8_t*>(track.name.data()), track.name.size());
    out.WriteU32(static_cast<uint32_t>(track.positionTimes.size()));
    for (float time : track.positionTimes) {
      out.WriteF32(time);
      for (int i = 0; i < 9; ++i) out.WriteF32(time + static_cast<float>(i));
    }
    out.WriteU32(0);  // no scale keys
    out.WriteU32(static_cast<uint32_t>(track.rotationTimes.size()));
    for (float time : track.rotationTimes) {
      out.WriteF32(time);
      for (int i = 0; i < 12; ++i) out.WriteF32(-time - static_cast<float>(i));
    }
  }
  return out.TakeBytes();
}

TEST(CAnimator, ReadsKeysFieldByField) {
  const std::vector<uint8_t> bytes = AnimationBytes({{"cam", {2}, {3}}});
  ASSERT_EQ(bytes.size(), 16u + 4 + 3 + 4 + 40 + 4 + 4 + 52);
  CAnimator animator;
  ByteCursor cursor(bytes.data(), bytes.size());
  ASSERT_EQ(animator.Load(cursor), S_OK);
  EXPECT_EQ(animator.startTime, 0.5f);
  EXPECT_EQ(animator.endTime, 9.0f);
  const NodeTrack& track = animator.tracks.at("cam");
  ASSERT_EQ(track.positionKeys.size(), 1u);
  const VectorKey& key = track.positionKeys[0];
  EXPECT_EQ(key.time, 2.0f);
  ExpectEqual(key.value, {2, 3, 4});
  ExpectEqual(key.startTangent, {5, 6, 7});
  ExpectEqual(key.endTangent, {8, 9, 10});
  const RotationKey& rotation = track.rotationKeys.at(0);
  EXPECT_EQ(rotation.value.x, -3.0f);
  EXPECT_EQ(rotation.value.w, -6.0f);
  EXPECT_EQ(rotation.control.x, -7.0f);
  EXPECT_EQ(rotation.unused.w, -14.0f);
  ByteWriter saved;
  animator.Save(saved);
  EXPECT_EQ(saved.TakeBytes(), bytes);
}

TEST(CAnimator, AppendsTheKeysOfARepeatedTrackName) {
  const std::vector<uint8_t> bytes =
      AnimationBytes({{"a", {1, 2}, {}}, {"b", {5}, {5}}, {"a", {0.5f}, {7}}});
  CAnimator animator;
  animator.tracks["stale"];
  ByteCursor cursor(bytes.data(), bytes.size());
  ASSERT_EQ(animator.Load(cursor), S_OK);
  ASSERT_EQ(animator.tracks.size(), 2u);
  const NodeTrack& a = animator.tracks.at("a");
  ASSERT_EQ(a.positionKeys.size(), 3u);
  // File order is kept, even where it leaves the times unsorted.
  EXPECT_EQ(a.positionKeys[0].time, 1.0f);
  EXPECT_EQ(a.positionKeys[1].time, 2.0f);
  EXPECT_EQ(a.positionKeys[2].time, 0.5f);
  ASSERT_EQ(a.rotationKeys.size(), 1u);
  EXPECT_EQ(a.rotationKeys[0].time, 7.0f);
}

TEST(CAnimator, RefusesAnotherVersionOrTooFewBytesAndIsLeftEmpty) {
  const std::vector<uint8_t> valid = AnimationBytes({{"a", {1, 2}, {3}}});
  std::vector<std::vector<uint8_t>> broken = {AnimationBytes({{"a", {1}, {}}}, 2)};
  for (size_t length = 0; length < valid.size(); ++length) {
    broken.emplace_back(valid.begin(), valid.begin() + static_cast<ptrdiff_t>(length));
  }
  for (const std::vector<uint8_t>& bytes : broken) {
    CAnimator animator;
    animator.tracks["stale"];
    animator.endTime = 3;
    ByteCursor cursor(bytes.data(), bytes.size());
    const HRESULT result = animator.Load(cursor);
    if (&bytes == &broken.front()) {
      EXPECT_EQ(result, RECORD_E_UNKNOWNVERSION);
    } else {
      EXPECT_TRUE(IsShortfallResult(result)) << bytes.size();
    }
    EXPECT_TRUE(animator.tracks.empty());
    EXPECT_EQ(animator.endTime, 0.0f);
  }
}

}  // namespace
