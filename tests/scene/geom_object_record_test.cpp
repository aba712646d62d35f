#include "scene/geom_object_record.h"

#include <gtest/gtest.h>

#include <vector>

#include "allocation_watch.h"
#include "sample_scene.h"

namespace {

using Bytes = std::vector<uint8_t>;

MeshFrame Triangle(float lift) {
  MeshFrame frame;
  frame.positions = {{0, lift, 0}, {1, lift, 0}, {0, lift, 1}};
  frame.vectors = {{0, 1, 0}, {0, 1, 0}, {0, -1, 0}};
  frame.uvs = {{0, 0}, {1, 0}, {0, 1}};
  frame.colours = {{1, 0.5f, 0.25f, 1}, {0, 0, 0, 1}, {0.125f, 1, 1, 0}};
  frame.faces = {{0, 1, 2}};
  frame.radius = 1.5f + lift;
  return frame;
}

GeomObjectRecord StaticRecord() {
  GeomObjectRecord record;
  record.materialName = "hull";
  record.transform.position = {1, 2, 3};
  record.transform.scale = {4, 5, 6};
  record.transform.rotation = {0.5f, -0.5f, 0.5f, -0.5f};
  record.transform.radius = 7;
  record.transform.pivot = {8, 9, 10};
  record.frames = {Triangle(0)};
  record.frameTimes = {0};
  return record;
}

GeomObjectRecord AnimatedRecord() {
  GeomObjectRecord record = StaticRecord();
  record.materialName = "";
  record.frames = {Triangle(0), Triangle(2), Triangle(4)};
  record.frames[1].faces.push_back({2, 1, 0});
  record.frames[2].colours.clear();
  record.frameTimes = {0, 0.5f, 2.25f};
  return record;
}

// Offsets of the count fields in the bytes of StaticRecord(): version, the material name
// ("hull") and the transform block come first, then frame 0 with three vertices and one
// face, then the frame times.
constexpr size_t kFrameCountAt = 4 + 4 + 4 + 56;
constexpr size_t kPositionCountAt = kFrameCountAt + 4;
constexpr size_t kVectorCountAt = kPositionCountAt + 4 + 3 * 12;
constexpr size_t kUvCountAt = kVectorCountAt + 4 + 3 * 12;
constexpr size_t kColourCountAt = kUvCountAt + 4 + 3 * 8;
constexpr size_t kFaceCountAt = kColourCountAt + 4 + 3 * 16;
constexpr size_t kFrameTimeCountAt = kFaceCountAt + 4 + 6 + 4;
constexpr size_t kStaticRecordSize = kFrameTimeCountAt + 4 + 4;

void ExpectSameVector(const D3DXVECTOR3& actual, const D3DXVECTOR3& expected) {
  EXPECT_EQ(actual.x, expected.x);
  EXPECT_EQ(actual.y, expected.y);
  EXPECT_EQ(actual.z, expected.z);
}

void ExpectSameFrame(const MeshFrame& actual, const MeshFrame& expected) {
  ASSERT_EQ(actual.positions.size(), expected.positions.size());
  ASSERT_EQ(actual.vectors.size(), expected.vectors.size());
  ASSERT_EQ(actual.uvs.size(), expected.uvs.size());
  ASSERT_EQ(actual.colours.size(), expected.colours.size());
  ASSERT_EQ(actual.faces.size(), expected.faces.size());
  for (size_t i = 0; i < actual.positions.size(); ++i) {
    ExpectSameVector(actual.positions[i], expected.positions[i]);
  }
  for (size_t i = 0; i < actual.vectors.size(); ++i) {
    ExpectSameVector(actual.vectors[i], expected.vectors[i]);
  }
  for (size_t i = 0; i < actual.uvs.size(); ++i) {
    EXPECT_EQ(actual.uvs[i].u, expected.uvs[i].u);
    EXPECT_EQ(actual.uvs[i].v, expected.uvs[i].v);
  }
  for (size_t i = 0; i < actual.colours.size(); ++i) {
    EXPECT_EQ(actual.colours[i].r, expected.colours[i].r);
    EXPECT_EQ(actual.colours[i].g, expected.colours[i].g);
    EXPECT_EQ(actual.colours[i].b, expected.colours[i].b);
    EXPECT_EQ(actual.colours[i].a, expected.colours[i].a);
  }
  for (size_t i = 0; i < actual.faces.size(); ++i) {
    EXPECT_EQ(actual.faces[i].a, expected.faces[i].a);
    EXPECT_EQ(actual.faces[i].b, expected.faces[i].b);
    EXPECT_EQ(actual.faces[i].c, expected.faces[i].c);
  }
  EXPECT_EQ(actual.radius, expected.radius);
}

void ExpectSameRecord(const GeomObjectRecord& actual, const GeomObjectRecord& expected) {
  EXPECT_EQ(actual.materialName, expected.materialName);
  ExpectSameVector(actual.transform.position, expected.transform.position);
  ExpectSameVector(actual.transform.scale, expected.transform.scale);
  EXPECT_EQ(actual.transform.rotation.x, expected.transform.rotation.x);
  EXPECT_EQ(actual.transform.rotation.y, expected.transform.rotation.y);
  EXPECT_EQ(actual.transform.rotation.z, expected.transform.rotation.z);
  EXPECT_EQ(actual.transform.rotation.w, expected.transform.rotation.w);
  EXPECT_EQ(actual.transform.radius, expected.transform.radius);
  ExpectSameVector(actual.transform.pivot, expected.transform.pivot);
  ASSERT_EQ(actual.frames.size(), expected.frames.size());
  for (size_t i = 0; i < actual.frames.size(); ++i) {
    ExpectSameFrame(actual.frames[i], expected.frames[i]);
  }
  EXPECT_EQ(actual.frameTimes, expected.frameTimes);
}

void PutU32(Bytes& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// A record that a failed read must leave as it was.
GeomObjectRecord Sentinel() {
  GeomObjectRecord record;
  record.materialName = "untouched";
  return record;
}

TEST(GeomObjectRecord, WritesTheFieldsInRecordOrder) {
  GeomObjectRecord record;
  record.materialName = "m";
  record.transform = {};
  MeshFrame frame;
  frame.positions = {{1, 0, 0}};
  frame.uvs = {{0.5f, 2}};
  frame.faces = {{0, 0x0102, 0xFFFF}};
  frame.radius = -2;
  record.frames = {frame};
  record.frameTimes = {1};
  Bytes expected;
  const auto field = [&](const Bytes& bytes) {
    expected.insert(expected.end(), bytes.begin(), bytes.end());
  };
  const Bytes zero = {0, 0, 0, 0};
  const Bytes one = {0, 0, 0x80, 0x3F};                           // 1.0f
  field({1, 0, 0, 0});                                            // version
  field({1, 0, 0, 0, 'm'});                                       // material name
  for (int i = 0; i < 3; ++i) field(zero);                        // position
  for (int i = 0; i < 3; ++i) field(one);                         // scale
  for (const Bytes& part : {zero, zero, zero, one}) field(part);  // rotation
  field(zero);                                                    // radius
  for (int i = 0; i < 3; ++i) field(zero);                        // pivot
  field({1, 0, 0, 0});                                            // frame count
  field({1, 0, 0, 0});                                            // one position
  for (const Bytes& part : {one, zero, zero}) field(part);
  field({0, 0, 0, 0});                                // no vectors
  field({1, 0, 0, 0, 0, 0, 0, 0x3F, 0, 0, 0, 0x40});  // one uv: 0.5, 2
  field({0, 0, 0, 0});                                // no colours
  field({1, 0, 0, 0, 0, 0, 0x02, 0x01, 0xFF, 0xFF});  // one face: 0, 0x0102, 0xFFFF
  field({0, 0, 0, 0xC0});                             // frame radius -2
  field({1, 0, 0, 0});                                // one frame time
  field(one);
  EXPECT_EQ(WriteGeomObjectRecord(record), expected);
}

TEST(GeomObjectRecord, RoundTripsStaticAndAnimatedRecords) {
  for (const GeomObjectRecord& original : {StaticRecord(), AnimatedRecord()}) {
    const Bytes bytes = WriteGeomObjectRecord(original);
    GeomObjectRecord read;
    ASSERT_EQ(ReadGeomObjectRecord(bytes.data(), bytes.size(), read), S_OK);
    ExpectSameRecord(read, original);
    EXPECT_EQ(WriteGeomObjectRecord(read), bytes);
  }
  EXPECT_EQ(WriteGeomObjectRecord(StaticRecord()).size(), kStaticRecordSize);
}

TEST(GeomObjectRecord, IgnoresBytesAfterTheRecord) {
  Bytes bytes = WriteGeomObjectRecord(StaticRecord());
  bytes.insert(bytes.end(), {1, 2, 3, 4, 5});
  GeomObjectRecord read;
  ASSERT_EQ(ReadGeomObjectRecord(bytes.data(), bytes.size(), read), S_OK);
  ExpectSameRecord(read, StaticRecord());
}

TEST(GeomObjectRecord, RefusesOtherVersions) {
  Bytes bytes = WriteGeomObjectRecord(StaticRecord());
  for (uint32_t version : {0u, 2u, 0x01000000u}) {
    PutU32(bytes, 0, version);
    GeomObjectRecord read = Sentinel();
    EXPECT_EQ(ReadGeomObjectRecord(bytes.data(), bytes.size(), read), RECORD_E_UNKNOWNVERSION)
        << version;
    EXPECT_EQ(read.materialName, "untouched");
  }
}

TEST(GeomObjectRecord, RefusesEveryTruncation) {
  for (const GeomObjectRecord& original : {StaticRecord(), AnimatedRecord()}) {
    const Bytes bytes = WriteGeomObjectRecord(original);
    for (size_t length = 0; length < bytes.size(); ++length) {
      // A copy of exactly `length` bytes, so that reading past it is caught by tools.
      const Bytes truncated(bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(length));
      GeomObjectRecord read = Sentinel();
      EXPECT_TRUE(IsShortfallResult(ReadGeomObjectRecord(truncated.data(), truncated.size(), read)))
          << "length " << length;
      EXPECT_EQ(read.materialName, "untouched");
      EXPECT_TRUE(read.frames.empty());
    }
  }
}

TEST(GeomObjectRecord, RefusesCountsTheDataCannotHoldWithoutReservingForThem) {
  const Bytes valid = WriteGeomObjectRecord(StaticRecord());
  ASSERT_EQ(valid.size(), kStaticRecordSize);
  for (size_t at : {size_t{4}, kFrameCountAt, kPositionCountAt, kVectorCountAt, kUvCountAt,
                    kColourCountAt, kFaceCountAt, kFrameTimeCountAt}) {
    for (uint32_t count : {0xFFFFFFFFu, 0x10000000u, 0x00100000u}) {
      Bytes lying = valid;
      PutU32(lying, at, count);
      GeomObjectRecord read = Sentinel();
      ResetLargestAllocation();
      // The first u32 after the version is the material name's length.
      const HRESULT expected = at == 4 ? RECORD_E_NAMETOOLONG : RECORD_E_COUNTTOOLARGE;
      EXPECT_EQ(ReadGeomObjectRecord(lying.data(), lying.size(), read), expected)
          << "count " << count << " at " << at;
      EXPECT_LT(LargestAllocation(), size_t{4096}) << "count " << count << " at " << at;
      EXPECT_EQ(read.materialName, "untouched");
    }
  }
}

TEST(GeomObjectRecord, ChecksThatFacesIndexPositions) {
  MeshFrame frame = Triangle(0);
  EXPECT_TRUE(FacesIndexPositions(frame));
  frame.faces.push_back({0, 1, 3});
  EXPECT_FALSE(FacesIndexPositions(frame));
  frame.faces.back() = {3, 1, 0};
  EXPECT_FALSE(FacesIndexPositions(frame));
  frame.faces.back() = {2, 2, 2};
  EXPECT_TRUE(FacesIndexPositions(frame));
}

}  // namespace
