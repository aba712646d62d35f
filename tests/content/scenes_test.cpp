// The heron scenes as the archive holds them: each storage loads back into the same bytes,
// fits the time window the timeline plays it in, always has a camera to look through, names
// only textures the family generates, and together the nine use every part of the format.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "families.h"
#include "resources/archive.h"
#include "scene/scene.h"
#include "support/compound_file.h"
#include "support/decoded_image.h"
#include "support/temp_dir.h"

namespace {

const std::vector<ArchiveEntry>& Entries() {
  static const std::vector<ArchiveEntry> entries = MakeSceneEntries();
  return entries;
}

const ArchiveEntry* FindEntry(const std::string& name) {
  for (const ArchiveEntry& entry : Entries()) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

// Every scene storage written into one compound file and loaded back through the archive.
const std::map<std::string, CScene>& LoadedScenes() {
  static const std::map<std::string, CScene> scenes = [] {
    TempDir directory;
    CompoundFileBuilder builder;
    for (const ArchiveEntry& entry : Entries()) {
      if (!entry.isStorage) continue;
      builder.AddStorage(entry.name);
      for (const ArchiveEntry& stream : entry.children)
        builder.AddStream(entry.name + "/" + stream.name, stream.bytes);
    }
    const std::string fileName = directory.File("scenes.dat");
    EXPECT_TRUE(builder.Write(fileName));
    IStorage* root = nullptr;
    EXPECT_EQ(OpenArchive(ArchiveEntryName(fileName).c_str(), &root), S_OK);
    std::map<std::string, CScene> loaded;
    for (const ArchiveEntry& entry : Entries()) {
      if (!entry.isStorage || root == nullptr) continue;
      IStorage* storage = nullptr;
      EXPECT_EQ(OpenArchiveStorage(ArchiveEntryName(entry.name).c_str(), root, &storage), S_OK)
          << entry.name;
      if (storage == nullptr) continue;
      EXPECT_EQ(loaded[entry.name].Load(storage), S_OK) << entry.name;
      SafeRelease(storage);
    }
    SafeRelease(root);
    return loaded;
  }();
  return scenes;
}

const CScene& Scene(const std::string& name) {
  static const CScene empty;
  const auto found = LoadedScenes().find(name);
  return found == LoadedScenes().end() ? empty : found->second;
}

// The scene times the timeline shows of each scene: its parts' windows.
struct SceneWindow {
  std::string scene;
  float from, to;
};

std::vector<SceneWindow> Windows() {
  const float pplEnd = Scene("ppl.hrn").animator.endTime;
  return {{"binary.hrn", 0, 30.101637f},   {"text.hrn", 0, 7.0f},
          {"stairs.hrn", 0, 11.6426f},     {"weird.hrn", 0, 12.35446f},
          {"surgery.hrn", 0, 23.8995f},    {"ppl.hrn", 0, 11.891686f},
          {"ppl.hrn", 12.892686f, pplEnd}, {"pitcombo.hrn", 0, 35.80472f},
          {"greets.hrn", 0, 24.17296f},    {"end.hrn", 0, 56.47458f}};
}

// Copies of a scene's cameras, in node order, to evaluate the animator on.
std::vector<std::unique_ptr<CSceneNode>> CameraCopies(const CScene& scene) {
  std::vector<std::unique_ptr<CSceneNode>> cameras;
  for (const auto& node : scene.nodes) {
    if (node->Type() == kCameraNode)
      cameras.push_back(std::make_unique<CCamera>(static_cast<const CCamera&>(*node)));
  }
  return cameras;
}

// The camera the renderer follows at `time`: the first one moving.
const CSceneNode* MovingCamera(const CScene& scene,
                               std::vector<std::unique_ptr<CSceneNode>>& cameras, float time) {
  scene.animator.Evaluate(cameras, time);
  for (const auto& camera : cameras) {
    if (camera->moving) return camera.get();
  }
  return nullptr;
}

std::vector<std::string> MaterialTextures(const CMaterial& material) {
  if ((material.flags & kMaterialAnimatedTexture) == 0) return {material.textureName};
  // As the renderer reads them: n after "_ANIMATED", the stem without the digit before
  // the extension, frames stem1.ext .. stemn.ext.
  const size_t marker = material.name.find("_ANIMATED");
  if (marker == std::string::npos) return {"(no frame count in " + material.name + ")"};
  const int frames = std::atoi(material.name.c_str() + marker + 9);
  const size_t dot = material.textureName.rfind('.');
  const std::string stem = material.textureName.substr(0, dot - 1);
  const std::string extension = material.textureName.substr(dot + 1);
  std::vector<std::string> names;
  for (int i = 1; i <= frames; ++i) names.push_back(stem + std::to_string(i) + "." + extension);
  return names;
}

TEST(SceneFamily, HoldsTheNineScenesAndTheirTexturesOnly) {
  std::set<std::string> storages;
  for (const ArchiveEntry& entry : Entries()) {
    if (entry.isStorage) {
      storages.insert(entry.name);
    } else {
      EXPECT_EQ(entry.name.rfind("hrn_", 0), 0u)
          << entry.name << " could clash with another family's texture";
      EXPECT_NE(entry.name.find(".png"), std::string::npos) << entry.name;
    }
  }
  EXPECT_EQ(storages, (std::set<std::string>{"binary.hrn", "text.hrn", "stairs.hrn", "weird.hrn",
                                             "surgery.hrn", "ppl.hrn", "pitcombo.hrn", "greets.hrn",
                                             "end.hrn"}));
}

TEST(SceneFamily, EveryScenePassesThroughTheArchiveUnchanged) {
  for (const ArchiveEntry& entry : Entries()) {
    if (!entry.isStorage) continue;
    const std::vector<SceneStream> saved = Scene(entry.name).Save();
    ASSERT_EQ(saved.size(), entry.children.size()) << entry.name;
    for (size_t i = 0; i < saved.size(); ++i) {
      EXPECT_EQ(saved[i].first, entry.children[i].name) << entry.name;
      EXPECT_TRUE(saved[i].second == entry.children[i].bytes)
          << entry.name << " / " << saved[i].first;
    }
  }
}

TEST(SceneFamily, GeneratesTheSameBytesEveryTime) {
  const std::vector<ArchiveEntry> again = MakeSceneEntries();
  ASSERT_EQ(again.size(), Entries().size());
  for (size_t i = 0; i < again.size(); ++i) {
    EXPECT_EQ(again[i].name, Entries()[i].name);
    EXPECT_TRUE(again[i].bytes == Entries()[i].bytes) << again[i].name;
    ASSERT_EQ(again[i].children.size(), Entries()[i].children.size()) << again[i].name;
    for (size_t j = 0; j < again[i].children.size(); ++j) {
      EXPECT_TRUE(again[i].children[j].bytes == Entries()[i].children[j].bytes)
          << again[i].children[j].name;
    }
  }
}

TEST(SceneFamily, AnimationsEndWhereTheirWindowsEnd) {
  // The scene parts play from 0 to the animation's end; the title part maps 700 frames onto
  // the whole animation; ppl's second window runs to the end at one scene second a second.
  std::map<std::string, float> ends;
  for (const SceneWindow& window : Windows())
    ends[window.scene] = std::max(ends[window.scene], window.to);
  for (const auto& [name, end] : ends) {
    EXPECT_NEAR(Scene(name).animator.endTime, end, 0.01f) << name;
  }
  EXPECT_NEAR(Scene("ppl.hrn").animator.endTime - 12.892686f, 190.03316f - 178.1797f, 0.01f);
}

TEST(SceneFamily, ACameraIsMovingThroughoutEveryWindow) {
  for (const SceneWindow& window : Windows()) {
    const CScene& scene = Scene(window.scene);
    std::vector<std::unique_ptr<CSceneNode>> cameras = CameraCopies(scene);
    ASSERT_FALSE(cameras.empty()) << window.scene;
    // Every frame of a 60 Hz display, and both ends.
    const int steps = static_cast<int>((window.to - window.from) * 60);
    for (int i = 0; i <= steps; ++i) {
      const float time = window.from + (window.to - window.from) * static_cast<float>(i) /
                                           static_cast<float>(steps);
      EXPECT_NE(MovingCamera(scene, cameras, time), nullptr) << window.scene << " at " << time;
    }
  }
}

TEST(SceneFamily, MaterialsNameTexturesThatExist) {
  for (const auto& [name, scene] : LoadedScenes()) {
    for (const CMaterial& material : scene.materials) {
      // An untextured material would draw with whatever texture was left bound.
      EXPECT_FALSE(material.textureName.empty()) << name << " / " << material.name;
      for (const std::string& texture : MaterialTextures(material)) {
        EXPECT_NE(FindEntry(texture), nullptr)
            << name << " / " << material.name << " needs " << texture;
      }
    }
  }
}

TEST(SceneFamily, TexturesAreSmallPowersOfTwoWithAlphaWhereBlended) {
  std::set<std::string> blendedByAlpha;
  for (const auto& [name, scene] : LoadedScenes()) {
    for (const CMaterial& material : scene.materials) {
      if ((material.flags & kMaterialAlphaBlended) != 0)
        blendedByAlpha.insert(material.textureName);
    }
  }
  for (const ArchiveEntry& entry : Entries()) {
    if (entry.isStorage) continue;
    const DecodedImage image = DecodeImage(entry.name, entry.bytes);
    ASSERT_EQ(image.result, S_OK) << entry.name;
    for (const uint32_t side : {image.width, image.height}) {
      EXPECT_TRUE(side >= 32 && side <= 512 && (side & (side - 1)) == 0)
          << entry.name << " " << side;
    }
    // The readers give a picture without alpha the alpha byte 1 in every pixel.
    bool withoutAlpha = true, translucent = false;
    for (size_t i = 3; i < image.pixels.size(); i += 4) {
      withoutAlpha = withoutAlpha && image.pixels[i] == 1;
      translucent = translucent || image.pixels[i] != 255;
    }
    EXPECT_EQ(!withoutAlpha && translucent, blendedByAlpha.count(entry.name) == 1) << entry.name;
  }
}

TEST(SceneFamily, NodesReferToMaterialsOfTheirScene) {
  for (const auto& [name, scene] : LoadedScenes()) {
    std::set<std::string> materials;
    for (const CMaterial& material : scene.materials) materials.insert(material.name);
    for (const auto& node : scene.nodes) {
      if (node->Type() == kGeomObjectNode) {
        EXPECT_EQ(materials.count(static_cast<const CGeomObject&>(*node).materialName), 1u)
            << name << " / " << node->name;
      } else if (node->Type() == kWaveNode || node->Type() == kParticleSystemNode) {
        EXPECT_EQ(materials.count(static_cast<const CParameterNode&>(*node).materialName), 1u)
            << name << " / " << node->name;
      }
    }
  }
}

TEST(SceneFamily, MeshesAreWholeAndTheirSpheresHoldThem) {
  for (const auto& [name, scene] : LoadedScenes()) {
    for (const auto& node : scene.nodes) {
      if (node->Type() != kGeomObjectNode) continue;
      const auto& mesh = static_cast<const CGeomObject&>(*node);
      ASSERT_FALSE(mesh.frames.empty()) << name << " / " << mesh.name;
      const MeshFrame& first = mesh.frames[0];
      for (const MeshFrame& frame : mesh.frames) {
        EXPECT_TRUE(FacesIndexPositions(frame)) << name << " / " << mesh.name;
        // Blending frames needs one position, colour and uv per vertex in every frame.
        EXPECT_EQ(frame.positions.size(), first.positions.size()) << name << " / " << mesh.name;
        EXPECT_EQ(frame.colours.size(), frame.positions.size()) << name << " / " << mesh.name;
        EXPECT_EQ(frame.uvs.size(), frame.positions.size()) << name << " / " << mesh.name;
        // The renderer culls by the node's radius; no vertex may lie outside it.
        for (const D3DXVECTOR3& p : frame.positions) {
          EXPECT_LE(std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z), frame.radius * 1.0001f + 1e-5f)
              << name << " / " << mesh.name;
        }
        EXPECT_LE(frame.radius, mesh.radius * 1.0001f) << name << " / " << mesh.name;
      }
      if (mesh.frames.size() > 1) {
        EXPECT_EQ(mesh.frameTimes.size(), mesh.frames.size()) << name << " / " << mesh.name;
        EXPECT_TRUE(std::is_sorted(mesh.frameTimes.begin(), mesh.frameTimes.end()))
            << name << " / " << mesh.name;
      }
    }
  }
}

TEST(SceneFamily, TogetherTheScenesUseEveryPartOfTheFormat) {
  bool fogOn = false, fogOff = false, morphing = false, particles = false, wave = false,
       light = false, skipped = false;
  bool cameraCut = false;
  uint32_t flags = 0;
  for (const auto& [name, scene] : LoadedScenes()) {
    (scene.fogEnabled != 0 ? fogOn : fogOff) = true;
    for (const CMaterial& material : scene.materials) flags |= material.flags;
    for (const auto& node : scene.nodes) {
      morphing = morphing || (node->Type() == kGeomObjectNode &&
                              static_cast<const CGeomObject&>(*node).frames.size() > 1);
      particles = particles || node->Type() == kParticleSystemNode;
      wave = wave || node->Type() == kWaveNode;
      light = light || node->Type() == kLightNode;
    }
    for (const SkippedNodeEntry& entry : scene.skippedEntries)
      skipped = skipped || entry.type == 2 || entry.type == 7;
    // A cut: the camera the renderer follows changes during the scene.
    std::vector<std::unique_ptr<CSceneNode>> cameras = CameraCopies(scene);
    const CSceneNode* first = MovingCamera(scene, cameras, 0.01f);
    for (float time = 0.01f; time < scene.animator.endTime && !cameraCut; time += 0.1f) {
      const CSceneNode* current = MovingCamera(scene, cameras, time);
      cameraCut = current != nullptr && first != nullptr && current->name != first->name;
    }
  }
  EXPECT_TRUE(fogOn);
  EXPECT_TRUE(fogOff);
  EXPECT_EQ(flags & 0x17u, kMaterialAdditive | kMaterialTwoSided | kMaterialAlphaBlended |
                               kMaterialAnimatedTexture);
  EXPECT_TRUE(morphing);
  EXPECT_TRUE(particles);
  EXPECT_TRUE(wave);
  EXPECT_TRUE(light);
  EXPECT_TRUE(skipped);
  EXPECT_TRUE(cameraCut);
}

TEST(SceneFamily, EveryTextureIsUsed) {
  std::set<std::string> used;
  for (const auto& [name, scene] : LoadedScenes()) {
    for (const CMaterial& material : scene.materials) {
      for (const std::string& texture : MaterialTextures(material)) used.insert(texture);
    }
  }
  for (const ArchiveEntry& entry : Entries()) {
    if (entry.isStorage) continue;
    EXPECT_EQ(used.count(entry.name), 1u) << entry.name << " is generated for nothing";
  }
}

TEST(SceneFamily, TheTitleLettersLieInFrontOfEverythingTheCityDraws) {
  // The title is drawn over the city with the depth test on. A scene camera's projection
  // goes into VIEW and the demo's own projection (near plane 0.1) follows it, so a point
  // at distance z gets the depth 1 - 0.1 z / (A z - A n) (A = f / (f - n)): clipped below
  // z = A n / (A - 0.1), rising towards 0.9 far away. The city's nearest digits lie above
  // 0.8; the letters must stay visible and below that.
  const CScene& title = Scene("text.hrn");
  const CCamera* camera = nullptr;
  for (const auto& node : title.nodes) {
    if (node->Type() == kCameraNode) camera = static_cast<const CCamera*>(node.get());
  }
  ASSERT_NE(camera, nullptr);
  const float n = camera->nearPlane, f = camera->farPlane, a = f / (f - n);
  const auto depth = [&](float z) { return 1 - 0.1f * z / (a * z - a * n); };
  const float nearest = a * n / (a - 0.1f);
  for (const auto& node : title.nodes) {
    if (node->Type() != kGeomObjectNode) continue;
    const auto track = title.animator.tracks.find(node->name);
    ASSERT_NE(track, title.animator.tracks.end()) << node->name;
    float largest = 0;
    for (const VectorKey& key : track->second.scaleKeys)
      largest = std::max({largest, key.value.x, key.value.y, key.value.z});
    const float reach = node->radius * largest;
    for (const VectorKey& key : track->second.positionKeys) {
      EXPECT_GT(key.value.z - camera->position.z - reach, nearest) << node->name;
      EXPECT_LT(depth(key.value.z - camera->position.z + reach), 0.5f) << node->name;
    }
  }
}

TEST(SceneFamily, TheTitleHoldsStillBetweenItsSegments) {
  // The title part shows frames 100k .. 100k + 20 and then holds frame 100k + 21: every
  // letter must have come to rest by the end of its segment.
  const CScene& title = Scene("text.hrn");
  const float frame = title.animator.endTime / 700;
  for (int segment = 0; segment < 7; ++segment) {
    for (const auto& [nodeName, track] : title.animator.tracks) {
      for (const auto* keys : {&track.positionKeys, &track.scaleKeys}) {
        for (const VectorKey& key : *keys) {
          const float inFrames = key.time / frame;
          EXPECT_FALSE(inFrames > 100 * segment + 20.5f && inFrames < 100 * segment + 99.5f)
              << nodeName << " key at frame " << inFrames;
        }
      }
    }
  }
}

}  // namespace
