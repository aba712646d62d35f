// lantern-capture's videos, written by the real program and read back with FFmpeg.
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "capture_run_fixture.h"
#include "demo/mp3_decoder.h"
#include "resources/archive.h"
#include "support/decoded_image.h"
#include "video_file_reader.h"

namespace {

constexpr int kRate = 44100;

// The soundtrack's first `frames` stereo frames, decoded from the built archive.
std::vector<int16_t> SoundtrackStart(size_t frames) {
  IStorage* root = nullptr;
  if (FAILED(OpenArchive(ArchiveEntryName(BUILT_ARCHIVE).c_str(), &root))) return {};
  IStream* stream = nullptr;
  std::vector<uint8_t> mp3;
  const bool read = SUCCEEDED(OpenArchiveStream(u"muzik.mp3", root, &stream)) &&
                    SUCCEEDED(ReadWholeStream(stream, mp3, nullptr));
  root->Release();
  if (!read) return {};
  std::unique_ptr<Mp3Decoder> decoder = Mp3Decoder::Open(mp3.data(), mp3.size(), kRate);
  std::vector<int16_t> samples(2 * frames);
  if (!decoder || decoder->Read(samples.data(), frames) != frames) return {};
  return samples;
}

std::vector<uint8_t> FileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// A second of the static intro, which draws new noise every frame: a lossless video of it
// holds every frame at its time and the soundtrack's samples from 1 s to 2 s, and a
// second run of the same command gives the same frames.
TEST_F(CaptureRunTest, ALosslessVideoHoldsItsFramesAndTheSoundtrackOfItsRange) {
  const std::vector<std::string> command{"--video", "a.mkv",      "--from", "1", "--to", "2",
                                         "--fps",   "10",         "--size", "160x120"};
  const ChildResult first = Capture(command);
  ASSERT_EQ(first.exitStatus, 0) << first.standardError;
  EXPECT_NE(first.standardError.find("10 frames"), std::string::npos) << first.standardError;
  EXPECT_FALSE(std::filesystem::exists(directory_.File("a.mkv.part")));
  const std::optional<DecodedVideo> video = ReadVideoFile(directory_.File("a.mkv"));
  ASSERT_TRUE(video);
  EXPECT_EQ(video->videoCodec, "ffv1");
  EXPECT_EQ(video->audioCodec, "flac");
  EXPECT_EQ(video->width, 160);
  EXPECT_EQ(video->height, 120);
  EXPECT_DOUBLE_EQ(video->frameRate, 10.0);
  ASSERT_EQ(video->frames.size(), 10u);
  EXPECT_NE(video->frames[0], video->frames[1]);

  EXPECT_EQ(video->audioRate, kRate);
  EXPECT_EQ(video->audioChannels, 2);
  const std::vector<int16_t> soundtrack = SoundtrackStart(2 * kRate);
  ASSERT_FALSE(soundtrack.empty());
  const std::vector<int16_t> expected(soundtrack.begin() + 2 * kRate, soundtrack.end());
  ASSERT_EQ(video->audio.size(), expected.size());
  EXPECT_TRUE(video->audio == expected);

  const std::vector<uint8_t> firstBytes = FileBytes(directory_.File("a.mkv"));
  const ChildResult second = Capture(command);
  ASSERT_EQ(second.exitStatus, 0) << second.standardError;
  const std::optional<DecodedVideo> again = ReadVideoFile(directory_.File("a.mkv"));
  ASSERT_TRUE(again);
  ASSERT_EQ(again->frames.size(), video->frames.size());
  for (size_t frame = 0; frame < video->frames.size(); ++frame) {
    EXPECT_TRUE(again->frames[frame] == video->frames[frame]) << "frame " << frame;
  }
  EXPECT_TRUE(FileBytes(directory_.File("a.mkv")) == firstBytes);
}

// --at T --exact --fps N plays from demo time 0, so it shows frame T * N of a video.
TEST_F(CaptureRunTest, AnExactMomentHasThePixelsOfTheVideosFrame) {
  const ChildResult video =
      Capture({"--video", "v.mkv", "--mute", "--to", "1.6", "--fps", "10", "--size", "96x72"});
  ASSERT_EQ(video.exitStatus, 0) << video.standardError;
  const ChildResult moment = Capture(
      {"--at", "1.5", "--exact", "--fps", "10", "--mute", "--size", "96x72", "--out", "shots"});
  ASSERT_EQ(moment.exitStatus, 0) << moment.standardError;

  const std::optional<DecodedVideo> frames = ReadVideoFile(directory_.File("v.mkv"));
  ASSERT_TRUE(frames);
  EXPECT_TRUE(frames->audioCodec.empty());
  ASSERT_EQ(frames->frames.size(), 16u);
  const DecodedImage picture =
      DecodeImage("x.png", FileBytes(directory_.File("shots/lantern-001.500.png")));
  ASSERT_EQ(picture.result, S_OK);
  ASSERT_EQ(picture.pixels.size(), frames->frames[15].size());
  size_t differences = 0;
  for (size_t byte = 0; byte < picture.pixels.size(); ++byte) {
    if (byte % 4 != 3 && picture.pixels[byte] != frames->frames[15][byte]) ++differences;
  }
  EXPECT_EQ(differences, 0u);
  // The frame before differs (new noise), so the comparison can tell frames apart.
  EXPECT_FALSE(frames->frames[14] == frames->frames[15]);
}

TEST_F(CaptureRunTest, AnMp4HoldsH264AndAacOfTheRangesLength) {
  const ChildResult run = Capture(
      {"--video", "a.mp4", "--from", "1", "--to", "2", "--fps", "10", "--size", "160x120"});
  ASSERT_EQ(run.exitStatus, 0) << run.standardError;
  const std::optional<DecodedVideo> video = ReadVideoFile(directory_.File("a.mp4"));
  ASSERT_TRUE(video);
  EXPECT_EQ(video->videoCodec, "h264");
  EXPECT_EQ(video->audioCodec, "aac");
  EXPECT_EQ(video->frames.size(), 10u);
  EXPECT_DOUBLE_EQ(video->frameRate, 10.0);
  // Within a frame (a tenth of a second) of the video's second.
  const double audioSeconds = static_cast<double>(video->audio.size() / 2) / kRate;
  EXPECT_NEAR(audioSeconds, 1.0, 0.1);
}

}  // namespace
