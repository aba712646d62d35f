// Damaged scenes: every stream of a sample scene cut at every length, with each run of four
// bytes replaced by a huge count, and with bytes flipped at random (fixed seed). Loading
// must never crash, throw or reserve memory for counts the data cannot hold (a count of
// 0xFFFFFFFF trusted for a list would throw std::bad_alloc here), and must either fail,
// leaving the scene empty, or give a scene that saves and loads back to the same bytes.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "sample_scene.h"

namespace {

// Returns whether the load succeeded.
bool ExpectFailureOrConsistentScene(const std::vector<SceneStream>& streams,
                                    const std::string& what) {
  CScene scene;
  HRESULT result = S_OK;
  EXPECT_NO_THROW(result = LoadFromMemory(streams, scene)) << what;
  if (FAILED(result)) {
    EXPECT_TRUE(scene.nodes.empty() && scene.materials.empty() && scene.skippedEntries.empty() &&
                scene.animator.tracks.empty())
        << what;
    return false;
  }
  const std::vector<SceneStream> saved = scene.Save();
  CScene again;
  EXPECT_EQ(LoadFromMemory(saved, again), S_OK) << what;
  EXPECT_EQ(again.Save(), saved) << what;
  return true;
}

TEST(SceneCorpus, EveryCutOfARecordFailsTheLoadExceptTheAnimators) {
  const std::vector<SceneStream> valid = SampleScene().Save();
  for (size_t stream = 0; stream < valid.size(); ++stream) {
    const auto& [name, bytes] = valid[stream];
    for (size_t length = 0; length < bytes.size(); ++length) {
      std::vector<SceneStream> streams = valid;
      streams[stream].second.resize(length);
      const std::string what = name + " cut to " + std::to_string(length);
      CScene scene;
      HRESULT result = S_OK;
      ASSERT_NO_THROW(result = LoadFromMemory(streams, scene)) << what;
      if (name == ".anim") {
        EXPECT_EQ(result, S_OK) << what;
        EXPECT_EQ(scene.nodes.size(), 5u) << what;
        EXPECT_TRUE(scene.animator.tracks.empty()) << what;
      } else {
        EXPECT_TRUE(IsShortfallResult(result)) << what;
        EXPECT_TRUE(scene.nodes.empty() && scene.materials.empty()) << what;
      }
    }
  }
}

TEST(SceneCorpus, HugeValuesAnywhereAreSurvived) {
  const std::vector<SceneStream> valid = SampleScene().Save();
  for (size_t stream = 0; stream < valid.size(); ++stream) {
    const auto& [name, bytes] = valid[stream];
    for (size_t at = 0; at + 4 <= bytes.size(); ++at) {
      for (uint32_t value : {0xFFFFFFFFu, 0x7FFFFFFFu, 0x10000000u, 0x00100000u}) {
        std::vector<SceneStream> streams = valid;
        for (int i = 0; i < 4; ++i) {
          streams[stream].second[at + i] = static_cast<uint8_t>(value >> (8 * i));
        }
        ExpectFailureOrConsistentScene(
            streams, name + " " + std::to_string(value) + " at " + std::to_string(at));
      }
    }
  }
}

TEST(SceneCorpus, RandomByteFlipsAreSurvived) {
  const std::vector<SceneStream> valid = SampleScene().Save();
  std::mt19937 random(20240611u);
  int loaded = 0;
  const int rounds = 4000;
  for (int round = 0; round < rounds; ++round) {
    std::vector<SceneStream> streams = valid;
    std::string what = "round " + std::to_string(round) + ":";
    for (uint32_t flips = 1 + random() % 4; flips > 0; --flips) {
      std::vector<uint8_t>& bytes = streams[random() % streams.size()].second;
      const size_t at = random() % bytes.size();
      bytes[at] ^= static_cast<uint8_t>(1 + random() % 255);
      what += ' ';
      what += std::to_string(at);
    }
    if (ExpectFailureOrConsistentScene(streams, what)) ++loaded;
  }
  // Flips in values load, flips in counts, lengths and versions mostly fail: the corpus
  // takes both paths often.
  EXPECT_GT(loaded, rounds / 10);
  EXPECT_LT(loaded, rounds - rounds / 10);
}

}  // namespace
