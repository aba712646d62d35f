#include <gtest/gtest.h>

#include <bit>
#include <string>
#include <vector>

#include "memory_storage.h"
#include "sample_scene.h"
#include "scene/scene.h"

namespace {

using Bytes = std::vector<uint8_t>;

void PutU32(Bytes& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

void WriteName(ByteWriter& out, std::string_view name) {
  out.WriteU32(static_cast<uint32_t>(name.size()));
  out.WriteBytes(reinterpret_cast<const uint8_t*>(name.data()), name.size());
}

std::vector<std::string> NamesOf(const std::vector<SceneStream>& streams) {
  std::vector<std::string> names;
  for (const SceneStream& stream : streams) names.push_back(stream.first);
  return names;
}

void ExpectEmpty(const CScene& scene) {
  EXPECT_TRUE(scene.nodes.empty());
  EXPECT_TRUE(scene.materials.empty());
  EXPECT_TRUE(scene.skippedEntries.empty());
  EXPECT_TRUE(scene.animator.tracks.empty());
  EXPECT_EQ(scene.fogEnabled, 0u);
}

const std::vector<std::string> kSampleStreamNames = {
    ".scene", "hull", "lamp", "Camera01", "pool", "sparks", "metal", "water_ANIMATED4", ".anim"};

TEST(SceneFormat, SavesOneStreamPerNodeAndMaterialInLoadOrder) {
  std::vector<SceneStream> streams = SampleScene().Save();
  EXPECT_EQ(NamesOf(streams), kSampleStreamNames);
  // Record sizes follow from the layouts: the transform block is 56 bytes, the light's
  // values 40, a camera has no scale, radius or pivot, and six parameters take 24 bytes.
  EXPECT_EQ(StreamBytes(streams, "lamp").size(), 4u + 12 + 12 + 16 + 40);
  EXPECT_EQ(StreamBytes(streams, "Camera01").size(), 4u + 12 + 16 + 12);
  EXPECT_EQ(StreamBytes(streams, "pool").size(), 4u + 4 + 15 + 56 + 24);
  EXPECT_EQ(StreamBytes(streams, "sparks").size(), 4u + 4 + 5 + 56 + 24);
  EXPECT_EQ(StreamBytes(streams, "metal").size(), 4u + 4 + 9 + 3 * 16 + 8 + 4);
}

TEST(SceneFormat, RoundTripsThroughACompoundFile) {
  const std::vector<SceneStream> saved = SampleScene().Save();
  CScene scene;
  ASSERT_EQ(LoadThroughCompoundFile(saved, scene), S_OK);
  EXPECT_EQ(scene.Save(), saved);

  ASSERT_EQ(scene.nodes.size(), 5u);
  const uint32_t types[] = {kGeomObjectNode, kLightNode, kCameraNode, kWaveNode,
                            kParticleSystemNode};
  const char* names[] = {"hull", "lamp", "Camera01", "pool", "sparks"};
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(scene.nodes[i]->Type(), types[i]);
    EXPECT_EQ(scene.nodes[i]->name, names[i]);
  }
  ASSERT_EQ(scene.skippedEntries.size(), 2u);
  EXPECT_EQ(scene.skippedEntries[0].listIndex, 1u);
  EXPECT_EQ(scene.skippedEntries[0].type, 2u);
  EXPECT_EQ(scene.skippedEntries[0].name, "helper");
  EXPECT_EQ(scene.skippedEntries[1].listIndex, 4u);
  EXPECT_EQ(scene.skippedEntries[1].type, 7u);
  // The saved bytes came back, so every field did; these show that they went to the
  // right members (the byte layouts themselves are checked below).
  const auto& light = static_cast<const CLight&>(*scene.nodes[1]);
  EXPECT_EQ(light.scale.z, 3.0f);
  EXPECT_EQ(light.values[9], 1.125f);
  EXPECT_EQ(static_cast<const CGeomObject&>(*scene.nodes[0]).frames.at(1).faces.at(1).c, 3u);
  EXPECT_EQ(static_cast<const CNURBWave&>(*scene.nodes[3]).IntegerParameter(4), 0xDEADBEEFu);
  EXPECT_EQ(scene.materials.at(1).textureName, "");
  EXPECT_EQ(scene.animator.tracks.at("Camera01").positionKeys.at(0).endTangent.y, 1.0f);
  EXPECT_EQ(scene.animator.tracks.count("nobody"), 1u);
}

// Loads the list `sceneList` with empty records for the camera "c" and the material "m".
HRESULT LoadList(const Bytes& sceneList, CScene& scene) {
  ByteWriter camera, material, animation;
  CCamera().Save(camera);
  CMaterial().Save(material);
  CAnimator().Save(animation);
  return LoadFromMemory({{".scene", sceneList},
                         {"c", camera.TakeBytes()},
                         {"m", material.TakeBytes()},
                         {".anim", animation.TakeBytes()}},
                        scene);
}

TEST(SceneFormat, TheSceneListHoldsTheFogFieldsOnlyWhenFogIsOn) {
  CScene scene;
  scene.header[0] = 1;
  scene.header[3] = 4;
  scene.fogStart = 0.3f;  // not stored while fog is off
  scene.materials.resize(1);
  scene.materials[0].name = "m";
  auto camera = std::make_unique<CCamera>();
  camera->name = "c";
  scene.nodes.push_back(std::move(camera));
  scene.skippedEntries = {{0, 2, "x"}};

  ByteWriter expected;
  expected.WriteU32(1);
  for (float value : {1.0f, 0.0f, 0.0f, 4.0f}) expected.WriteF32(value);
  expected.WriteU32(0);  // no fog, so the material count follows at once
  expected.WriteU32(1);
  WriteName(expected, "m");
  expected.WriteU32(2);
  expected.WriteU32(2);
  WriteName(expected, "x");
  expected.WriteU32(kCameraNode);
  WriteName(expected, "c");
  Bytes withoutFog = expected.TakeBytes();
  EXPECT_EQ(scene.Save().front().second, withoutFog);
  CScene loaded;
  ASSERT_EQ(LoadList(withoutFog, loaded), S_OK);
  EXPECT_EQ(loaded.fogStart, 0.0f);
  ASSERT_EQ(loaded.materials.size(), 1u);
  EXPECT_EQ(loaded.materials[0].name, "m");
  ASSERT_EQ(loaded.nodes.size(), 1u);
  EXPECT_EQ(loaded.nodes[0]->name, "c");

  // Any non-zero value turns fog on and brings its three fields in after it.
  scene.fogEnabled = 5;
  scene.fogEnd = 0.75f;
  scene.fogColour = {0.5f, 0.25f, 0.125f, 1};
  Bytes withFog(withoutFog.begin(), withoutFog.begin() + 20);
  ByteWriter fog;
  fog.WriteU32(5);
  for (float value : {0.3f, 0.75f, 0.5f, 0.25f, 0.125f, 1.0f}) fog.WriteF32(value);
  const Bytes fogBytes = fog.TakeBytes();
  withFog.insert(withFog.end(), fogBytes.begin(), fogBytes.end());
  withFog.insert(withFog.end(), withoutFog.begin() + 24, withoutFog.end());
  EXPECT_EQ(scene.Save().front().second, withFog);
  ASSERT_EQ(LoadList(withFog, loaded), S_OK);
  EXPECT_EQ(loaded.fogEnabled, 5u);
  EXPECT_EQ(loaded.fogStart, 0.3f);
  EXPECT_EQ(loaded.fogEnd, 0.75f);
  EXPECT_EQ(loaded.fogColour.g, 0.25f);
  EXPECT_EQ(loaded.materials.at(0).name, "m");
}

TEST(SceneFormat, WritesNodeAndMaterialRecordsFieldByField) {
  CCamera camera;
  camera.position = {1, 2, 3};
  camera.scale = {9, 9, 9};  // a camera record has no scale
  camera.rotation = {0, 0, 0.5f, 0.75f};
  camera.fov = 1.25f;
  camera.nearPlane = 0.5f;
  camera.farPlane = 64;
  ByteWriter written;
  camera.Save(written);
  ByteWriter expected;
  expected.WriteU32(1);
  for (float value : {1.0f, 2.0f, 3.0f, 0.0f, 0.0f, 0.5f, 0.75f, 1.25f, 0.5f, 64.0f}) {
    expected.WriteF32(value);
  }
  EXPECT_EQ(written.TakeBytes(), expected.TakeBytes());

  CParticleSystem sparks;
  sparks.materialName = "ab";
  sparks.position = {7, 0, 0};
  sparks.pivot = {0, 0, 8};
  sparks.SetIntegerParameter(0, 0x04030201);
  sparks.SetFloatParameter(5, -2);
  sparks.Save(written);
  const Bytes record = written.TakeBytes();
  ASSERT_EQ(record.size(), 4u + 4 + 2 + 56 + 24);
  EXPECT_EQ(Bytes(record.begin() + 4, record.begin() + 10), (Bytes{2, 0, 0, 0, 'a', 'b'}));
  EXPECT_EQ(Bytes(record.begin() + 10, record.begin() + 14), (Bytes{0, 0, 0xE0, 0x40}));  // 7
  EXPECT_EQ(Bytes(record.begin() + 62, record.begin() + 66), (Bytes{0, 0, 0, 0x41}));     // 8
  EXPECT_EQ(Bytes(record.begin() + 66, record.begin() + 70), (Bytes{1, 2, 3, 4}));
  EXPECT_EQ(Bytes(record.end() - 4, record.end()), (Bytes{0, 0, 0, 0xC0}));  // -2

  CMaterial material;
  material.textureName = "t";
  material.colours[1].a = 1;
  material.value4 = 2;
  material.flags = kMaterialAdditive | kMaterialTwoSided;
  material.Save(written);
  ByteWriter expectedMaterial;
  expectedMaterial.WriteU32(1);
  WriteName(expectedMaterial, "t");
  for (int i = 0; i < 12; ++i) expectedMaterial.WriteF32(i == 7 ? 1.0f : 0.0f);
  expectedMaterial.WriteF32(2);
  expectedMaterial.WriteF32(0);
  expectedMaterial.WriteU32(3);
  EXPECT_EQ(written.TakeBytes(), expectedMaterial.TakeBytes());
}

TEST(SceneFormat, ParametersKeepTheirRawBits) {
  CNURBWave wave;
  wave.SetFloatParameter(1, -2.5f);
  EXPECT_EQ(wave.parameters[1], 0xC0200000u);
  EXPECT_EQ(wave.IntegerParameter(1), 0xC0200000u);
  wave.SetIntegerParameter(3, 0x3F800000u);
  EXPECT_EQ(wave.FloatParameter(3), 1.0f);
  const uint32_t quietNaN = 0x7FC01234u;
  wave.SetIntegerParameter(0, quietNaN);
  EXPECT_EQ(std::bit_cast<uint32_t>(wave.FloatParameter(0)), quietNaN);
}

TEST(SceneFormat, OpensEveryStreamOnceInLoadOrderAndNoneForSkippedEntries) {
  std::vector<SceneStream> streams = SampleScene().Save();
  // The lamp's entry becomes type 6: it makes no node and its stream is not opened.
  Bytes& list = StreamBytes(streams, ".scene");
  const size_t lampEntry = 4 + 16 + 4 + 24 + 4 + 9 + 19 + 4 + 8 + 4 + 8 + 6;
  ASSERT_EQ(list[lampEntry + 8], 'l');
  PutU32(list, lampEntry, 6);

  MemoryStorage storage(streams);
  CScene scene;
  ASSERT_EQ(scene.Load(&storage), S_OK);
  EXPECT_EQ(storage.opened,
            (std::vector<std::string>{".scene", "hull", "Camera01", "pool", "sparks", "metal",
                                      "water_ANIMATED4", ".anim"}));
  for (DWORD mode : storage.modes) EXPECT_EQ(mode, STGM_READ | STGM_SHARE_EXCLUSIVE);
  ASSERT_EQ(scene.nodes.size(), 4u);
  EXPECT_EQ(scene.nodes[1]->name, "Camera01");
  ASSERT_EQ(scene.skippedEntries.size(), 3u);
  EXPECT_EQ(scene.skippedEntries[1].listIndex, 2u);
  EXPECT_EQ(scene.skippedEntries[1].type, 6u);
  EXPECT_EQ(scene.skippedEntries[1].name, "lamp");
  // Saved again, the list is the one it was loaded from.
  EXPECT_EQ(scene.Save().front().second, list);
}

TEST(SceneFormat, AMissingNodeMaterialOrAnimatorStreamFailsWithTheOpenResult) {
  const std::vector<SceneStream> saved = SampleScene().Save();
  for (const char* missing : {".scene", "hull", "sparks", "metal", "water_ANIMATED4", ".anim"}) {
    CScene scene = SampleScene();
    EXPECT_EQ(LoadThroughCompoundFile(WithoutStream(saved, missing), scene), STG_E_FILENOTFOUND)
        << missing;
    ExpectEmpty(scene);
  }
}

TEST(SceneFormat, AnAnimatorThatCannotBeReadLeavesTheSceneUnanimated) {
  std::vector<SceneStream> streams = SampleScene().Save();
  Bytes& animation = StreamBytes(streams, ".anim");
  const Bytes valid = animation;
  for (const Bytes& broken :
       {Bytes{}, Bytes(valid.begin(), valid.begin() + 40), Bytes{2, 0, 0, 0}}) {
    animation = broken;
    CScene scene;
    ASSERT_EQ(LoadFromMemory(streams, scene), S_OK) << broken.size();
    EXPECT_EQ(scene.nodes.size(), 5u);
    EXPECT_EQ(scene.materials.size(), 2u);
    EXPECT_TRUE(scene.animator.tracks.empty());
    EXPECT_EQ(scene.animator.endTime, 0.0f);
  }
  animation = valid;
  animation[0] = 2;
  CScene scene;
  ASSERT_EQ(LoadThroughCompoundFile(streams, scene), S_OK);
  EXPECT_TRUE(scene.animator.tracks.empty());
}

TEST(SceneFormat, RefusesRecordsOfAnotherVersion) {
  const std::vector<SceneStream> saved = SampleScene().Save();
  for (const std::string& name : kSampleStreamNames) {
    if (name == ".anim") continue;  // its failure does not fail the scene
    std::vector<SceneStream> streams = saved;
    PutU32(StreamBytes(streams, name), 0, 2);
    CScene scene;
    EXPECT_EQ(LoadFromMemory(streams, scene), RECORD_E_UNKNOWNVERSION) << name;
    ExpectEmpty(scene);
  }
}

TEST(SceneFormat, TheResultSaysWhatIsWrongWithTheBytes) {
  const std::vector<SceneStream> saved = SampleScene().Save();
  // The sample has fog, so the material count follows the header and the fog fields.
  constexpr size_t kMaterialCountAt = 4 + 16 + 4 + 24;
  struct Damage {
    const char* stream;
    size_t at;  // where a u32 is overwritten, or the length the stream is cut to
    uint32_t value;
    bool cut;
    HRESULT expected;
  };
  const Damage damages[] = {
      {".scene", 10, 0, true, RECORD_E_TRUNCATED},
      {"lamp", 30, 0, true, RECORD_E_TRUNCATED},
      {".scene", kMaterialCountAt, 0x10000000u, false, RECORD_E_COUNTTOOLARGE},
      {"metal", 4, 0x00FFFFFFu, false, RECORD_E_NAMETOOLONG},
      {"hull", 4, 0x7FFFFFFFu, false, RECORD_E_NAMETOOLONG},
  };
  for (const Damage& damage : damages) {
    std::vector<SceneStream> streams = saved;
    Bytes& bytes = StreamBytes(streams, damage.stream);
    if (damage.cut) {
      bytes.resize(damage.at);
    } else {
      PutU32(bytes, damage.at, damage.value);
    }
    CScene scene;
    EXPECT_EQ(LoadFromMemory(streams, scene), damage.expected)
        << damage.stream << " at " << damage.at;
    ExpectEmpty(scene);
  }
}

TEST(SceneFormat, LoadingReplacesWhatTheSceneHeld) {
  CScene small;
  auto camera = std::make_unique<CCamera>();
  camera->name = "solo";
  small.nodes.push_back(std::move(camera));
  small.animator.tracks["solo"].positionKeys.resize(1);

  CScene scene;
  ASSERT_EQ(LoadFromMemory(SampleScene().Save(), scene), S_OK);
  ASSERT_EQ(LoadFromMemory(small.Save(), scene), S_OK);
  ASSERT_EQ(scene.nodes.size(), 1u);
  EXPECT_EQ(scene.nodes[0]->name, "solo");
  EXPECT_TRUE(scene.materials.empty());
  EXPECT_TRUE(scene.skippedEntries.empty());
  EXPECT_EQ(scene.fogEnabled, 0u);
  EXPECT_EQ(scene.header[1], 0.0f);
  EXPECT_EQ(scene.animator.tracks.size(), 1u);
  EXPECT_EQ(scene.Save(), small.Save());
}

TEST(SceneFormat, ACameraLoadsStill) {
  CCamera source;
  source.position = {4, 5, 6};
  ByteWriter record;
  source.Save(record);
  const Bytes bytes = record.TakeBytes();
  CCamera camera;
  camera.moving = 1;
  ByteCursor cursor(bytes.data(), bytes.size());
  ASSERT_EQ(camera.Load(cursor), S_OK);
  EXPECT_EQ(camera.moving, 0);
  EXPECT_EQ(camera.position.z, 6.0f);
  EXPECT_EQ(camera.scale.x, 1.0f);
}

}  // namespace
