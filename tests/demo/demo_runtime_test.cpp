// The demo runtime built for real: the archive, the music, the log and shutdown.
#include <regex>

#include "base/demo_error.h"
#include "base/log.h"
#include "support/demo_archive.h"
#include "support/demo_fixture.h"
#include "support/test_mp3.h"

namespace {

class DemoRuntimeTest : public DemoFixture {
 protected:
  void AddProbes(CDemo& demo) {
    demo.AddPart(std::make_unique<ProbePart>(&demo, journal_, "probe one"), "binary", 27.892973f,
                 57.99461f);
    demo.AddPart(std::make_unique<ProbePart>(&demo, journal_, "probe two"), "fade", 0, 58.5);
  }

  std::string BuildAndExpectError(bool mute) {
    try {
      BuildDemo([](CDemo&) {}, mute);
    } catch (const demoError& error) {
      return error.message();
    }
    ADD_FAILURE() << "the demo was built";
    return {};
  }
};

// Finds each of `lines` in `log`, in order; returns the index of the first one missing.
size_t FirstMissingInOrder(const std::string& log, const std::vector<std::string>& lines) {
  size_t at = 0;
  for (size_t index = 0; index < lines.size(); ++index) {
    at = log.find(lines[index], at);
    if (at == std::string::npos) return index;
    at += lines[index].size();
  }
  return lines.size();
}

TEST_F(DemoRuntimeTest, ARunWithMusicLogsEveryStageInOrder) {
  CompoundFileBuilder archive = DemoArchive();
  archive.AddStream("muzik.mp3", EncodeTestMp3(44100));
  WriteArchive(archive);
  BuildDemo([&](CDemo& demo) { AddProbes(demo); }, /*mute=*/false);
  EXPECT_NE(demo_->stream(), 0u);
  EXPECT_FALSE(demo_->audioBuffer().empty());

  for (double t = 28.5; t < 60.0; t += 0.5) {
    if (!DrawFrameAt(t)) break;
  }
  EXPECT_FALSE(DrawFrameAt(60.0));

  const std::string log = FinishAndReadLog();
  // Each part's Init runs between its line and the blank line that closes it.
  const std::vector<std::string> framed{
      "---- Orrery (ORY) created by COPPERKEY ----\n",
      "ORY FXADD 0 (binary) 27.893-57.9946\n\n",
      "ORY FXADD 1 (fade) 0-58.5\n\n",
      "---- Starting demo ----\n",
      "---- DONE ----\n",
      "---- Cleaning up ----\n",
      "binary: ",
      "fade: ",
  };
  EXPECT_EQ(FirstMissingInOrder(log, framed), framed.size()) << log;
  EXPECT_TRUE(std::regex_search(log, std::regex("binary: [0-9.e+]+ fps\nfade: [0-9.e+]+ fps\n")))
      << log;
}

TEST_F(DemoRuntimeTest, AMissingArchiveStopsConstruction) {
  EXPECT_EQ(BuildAndExpectError(/*mute=*/true), "Cannot open lantern.dat");
  EXPECT_EQ(g_d3dDevice, nullptr);
}

TEST_F(DemoRuntimeTest, AnArchiveWithoutMusicPlaysOnlyMuted) {
  CompoundFileBuilder archive = DemoArchive();
  archive.AddStream("readme", "no music here");
  WriteArchive(archive);
  const std::string message = BuildAndExpectError(/*mute=*/false);
  EXPECT_EQ(message.rfind("Cannot open muzik.mp3: ", 0), 0u) << message;

  BuildDemo([](CDemo&) {}, /*mute=*/true);
  EXPECT_EQ(demo_->stream(), 0u);
}

TEST_F(DemoRuntimeTest, MusicThatIsNotAnMp3LeavesTheDemoSilentButRunning) {
  CompoundFileBuilder archive = DemoArchive();
  archive.AddStream("muzik.mp3", std::string(5000, 'x'));
  WriteArchive(archive);
  BuildDemo(
      [&](CDemo& demo) {
        demo.AddPart(std::make_unique<ProbePart>(&demo, journal_, "p"), "p", 0, 1);
      },
      /*mute=*/false);
  EXPECT_EQ(demo_->stream(), 0u);
  EXPECT_TRUE(DrawFrameAt(1.0));
  EXPECT_FALSE(DrawFrameAt(2.0));
}

TEST_F(DemoRuntimeTest, TheLoadingScreenAndDefaultStateAreSet) {
  CompoundFileBuilder archive = DemoArchive();
  archive.AddStream("readme", "x");
  WriteArchive(archive);
  BuildDemo([](CDemo&) {});
  ASSERT_NE(g_d3dDevice, nullptr);
  EXPECT_EQ(g_demo, demo_.get());
  EXPECT_EQ(g_screenWidth, 640u);
  EXPECT_EQ(g_screenHeight, 480u);
  EXPECT_TRUE(demo_->hasStencil());

  DWORD value = 1;
  g_d3dDevice->GetRenderState(D3DRENDERSTATE_LIGHTING, &value);
  EXPECT_EQ(value, 0u);
  g_d3dDevice->GetTextureStageState(0, D3DTSS_MAGFILTER, &value);
  EXPECT_EQ(value, D3DTFG_ANISOTROPIC);
  D3DMATRIX view{};
  g_d3dDevice->GetTransform(D3DTRANSFORMSTATE_VIEW, &view);
  EXPECT_FLOAT_EQ(view.m[3][2], 60.0f);  // the eye stands 60 units in front of the origin
  D3DMATRIX projection{};
  g_d3dDevice->GetTransform(D3DTRANSFORMSTATE_PROJECTION, &projection);
  EXPECT_FLOAT_EQ(projection.m[0][0], 0.75f);  // cot(45 degrees) x 480 / 640
  EXPECT_FLOAT_EQ(projection.m[1][1], 1.0f);
  EXPECT_EQ(demo_->timer().fps, 45.0f);
}

}  // namespace
