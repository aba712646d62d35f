#include "video_encoder.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "video_file_reader.h"

namespace {

constexpr uint32_t kWidth = 16;
constexpr uint32_t kHeight = 8;

// Frame `index`: every pixel a different colour, so that a flipped or shifted row shows.
std::vector<uint8_t> BottomUpFrame(int index) {
  std::vector<uint8_t> pixels(kWidth * kHeight * 4);
  for (uint32_t row = 0; row < kHeight; ++row) {
    for (uint32_t x = 0; x < kWidth; ++x) {
      uint8_t* pixel = &pixels[(row * kWidth + x) * 4];
      pixel[0] = static_cast<uint8_t>(x * 15);
      pixel[1] = static_cast<uint8_t>(row * 30);
      pixel[2] = static_cast<uint8_t>(index * 40);
      pixel[3] = 0x55;  // alpha is no part of the picture
    }
  }
  return pixels;
}

std::vector<int16_t> Ramp(size_t frames, int16_t first) {
  std::vector<int16_t> samples(2 * frames);
  for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<int16_t>(first + i * 7);
  return samples;
}

TEST(VideoEncoderTest, LosslessFramesAndSamplesComeBackExactlyTopRowFirst) {
  TempDir directory;
  const std::string path = directory.File("clip.mkv");
  VideoEncoder encoder(path, {VideoFormat::kMkv, kWidth, kHeight, 25.0, 44100});
  EXPECT_TRUE(std::filesystem::exists(encoder.temporaryPath()));
  EXPECT_FALSE(std::filesystem::exists(path));
  for (int index = 0; index < 3; ++index) encoder.AddFrame(BottomUpFrame(index).data());
  // Pieces of any length, none a whole codec frame, and a short last one.
  const std::vector<int16_t> first = Ramp(1000, -9000), second = Ramp(5003, 100);
  encoder.AddAudio(first.data(), 1000);
  encoder.AddAudio(second.data(), 5003);
  encoder.Finish();
  EXPECT_FALSE(std::filesystem::exists(encoder.temporaryPath()));

  const std::optional<DecodedVideo> video = ReadVideoFile(path);
  ASSERT_TRUE(video);
  EXPECT_EQ(video->width, static_cast<int>(kWidth));
  EXPECT_DOUBLE_EQ(video->frameRate, 25.0);
  ASSERT_EQ(video->frames.size(), 3u);
  for (int index = 0; index < 3; ++index) {
    const std::vector<uint8_t> sent = BottomUpFrame(index);
    const std::vector<uint8_t>& got = video->frames[static_cast<size_t>(index)];
    ASSERT_EQ(got.size(), sent.size());
    for (uint32_t row = 0; row < kHeight; ++row) {
      for (uint32_t byte = 0; byte < kWidth * 4; ++byte) {
        if (byte % 4 == 3) continue;
        ASSERT_EQ(got[row * kWidth * 4 + byte], sent[(kHeight - 1 - row) * kWidth * 4 + byte])
            << "frame " << index << " row " << row;
      }
    }
  }
  std::vector<int16_t> sentAudio = first;
  sentAudio.insert(sentAudio.end(), second.begin(), second.end());
  EXPECT_TRUE(video->audio == sentAudio);
}

TEST(VideoEncoderTest, AnMp4WithoutAudioHasOnlyItsPicture) {
  TempDir directory;
  const std::string path = directory.File("clip.mp4");
  VideoEncoder encoder(path, {VideoFormat::kMp4, kWidth, kHeight, 30.0, 0});
  for (int index = 0; index < 12; ++index) encoder.AddFrame(BottomUpFrame(index).data());
  encoder.Finish();
  const std::optional<DecodedVideo> video = ReadVideoFile(path);
  ASSERT_TRUE(video);
  EXPECT_EQ(video->videoCodec, "h264");
  EXPECT_TRUE(video->audioCodec.empty());
  EXPECT_EQ(video->frames.size(), 12u);
  EXPECT_DOUBLE_EQ(video->frameRate, 30.0);
}

TEST(VideoEncoderTest, AnUnfinishedVideoLeavesNoFile) {
  TempDir directory;
  const std::string path = directory.File("clip.mp4");
  std::string temporary;
  {
    VideoEncoder encoder(path, {VideoFormat::kMp4, kWidth, kHeight, 30.0, 44100});
    temporary = encoder.temporaryPath();
    encoder.AddFrame(BottomUpFrame(0).data());
  }
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_FALSE(std::filesystem::exists(temporary));
}

TEST(VideoEncoderTest, AFolderThatIsNotThereIsReportedByName) {
  TempDir directory;
  const std::string path = directory.File("missing/clip.mkv");
  try {
    VideoEncoder encoder(path, {VideoFormat::kMkv, kWidth, kHeight, 30.0, 0});
    FAIL() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("missing/clip.mkv"), std::string::npos)
        << error.what();
  }
}

}  // namespace
