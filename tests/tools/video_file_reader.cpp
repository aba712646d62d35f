#include "video_file_reader.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace {

struct InputDeleter {
  void operator()(AVFormatContext* format) const { avformat_close_input(&format); }
};
struct CodecDeleter {
  void operator()(AVCodecContext* codec) const { avcodec_free_context(&codec); }
};
using Codec = std::unique_ptr<AVCodecContext, CodecDeleter>;

Codec OpenDecoder(const AVStream* stream) {
  const AVCodec* decoder = avcodec_find_decoder(stream->codecpar->codec_id);
  if (decoder == nullptr) return nullptr;
  Codec codec(avcodec_alloc_context3(decoder));
  if (!codec || avcodec_parameters_to_context(codec.get(), stream->codecpar) < 0 ||
      avcodec_open2(codec.get(), decoder, nullptr) < 0) {
    return nullptr;
  }
  return codec;
}

void KeepVideoFrame(const AVFrame& frame, DecodedVideo& video) {
  const int bytesPerPixel = frame.format == AV_PIX_FMT_BGR0 ? 4 : 1;
  const size_t rowBytes = static_cast<size_t>(frame.width * bytesPerPixel);
  std::vector<uint8_t> plane(rowBytes * static_cast<size_t>(frame.height));
  for (int row = 0; row < frame.height; ++row) {
    std::memcpy(plane.data() + rowBytes * static_cast<size_t>(row),
                frame.data[0] + static_cast<ptrdiff_t>(row) * frame.linesize[0], rowBytes);
  }
  video.frames.push_back(std::move(plane));
}

void KeepAudioFrame(const AVFrame& frame, DecodedVideo& video) {
  const int channels = frame.ch_layout.nb_channels;
  for (int i = 0; i < frame.nb_samples; ++i) {
    for (int channel = 0; channel < channels; ++channel) {
      if (frame.format == AV_SAMPLE_FMT_S16) {
        video.audio.push_back(reinterpret_cast<const int16_t*>(frame.data[0])[i * channels + channel]);
      } else if (frame.format == AV_SAMPLE_FMT_FLTP) {
        const float value = reinterpret_cast<const float*>(frame.data[channel])[i];
        video.audio.push_back(static_cast<int16_t>(
            std::clamp(std::lround(value * 32768.0f), -32768L, 32767L)));
      }
    }
  }
}

// Sends `packet` (null: the end) and keeps every frame that comes out.
bool Decode(AVCodecContext* codec, const AVPacket* packet, AVFrame* frame, DecodedVideo& video) {
  if (avcodec_send_packet(codec, packet) < 0) return false;
  for (;;) {
    const int received = avcodec_receive_frame(codec, frame);
    if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) return true;
    if (received < 0) return false;
    if (codec->codec_type == AVMEDIA_TYPE_VIDEO) {
      KeepVideoFrame(*frame, video);
    } else {
      KeepAudioFrame(*frame, video);
    }
    av_frame_unref(frame);
  }
}

}  // namespace

std::optional<DecodedVideo> ReadVideoFile(const std::string& path) {
  AVFormatContext* opened = nullptr;
  if (avformat_open_input(&opened, path.c_str(), nullptr, nullptr) < 0) return std::nullopt;
  std::unique_ptr<AVFormatContext, InputDeleter> format(opened);
  if (avformat_find_stream_info(format.get(), nullptr) < 0) return std::nullopt;

  DecodedVideo video;
  const int videoIndex = av_find_best_stream(format.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
  const int audioIndex = av_find_best_stream(format.get(), AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
  if (videoIndex < 0) return std::nullopt;
  const AVStream* videoStream = format->streams[videoIndex];
  Codec videoCodec = OpenDecoder(videoStream);
  if (!videoCodec) return std::nullopt;
  video.width = videoStream->codecpar->width;
  video.height = videoStream->codecpar->height;
  video.frameRate = av_q2d(videoStream->avg_frame_rate);
  video.videoCodec = avcodec_get_name(videoStream->codecpar->codec_id);
  Codec audioCodec;
  if (audioIndex >= 0) {
    const AVStream* audioStream = format->streams[audioIndex];
    audioCodec = OpenDecoder(audioStream);
    if (!audioCodec) return std::nullopt;
    video.audioCodec = avcodec_get_name(audioStream->codecpar->codec_id);
    video.audioRate = audioStream->codecpar->sample_rate;
    video.audioChannels = audioStream->codecpar->ch_layout.nb_channels;
  }

  std::unique_ptr<AVPacket, void (*)(AVPacket*)> packet(av_packet_alloc(), [](AVPacket* p) {
    av_packet_free(&p);
  });
  std::unique_ptr<AVFrame, void (*)(AVFrame*)> frame(av_frame_alloc(), [](AVFrame* f) {
    av_frame_free(&f);
  });
  while (av_read_frame(format.get(), packet.get()) >= 0) {
    AVCodecContext* codec = packet->stream_index == videoIndex   ? videoCodec.get()
                            : packet->stream_index == audioIndex ? audioCodec.get()
                                                                 : nullptr;
    const bool decoded = codec == nullptr || Decode(codec, packet.get(), frame.get(), video);
    av_packet_unref(packet.get());
    if (!decoded) return std::nullopt;
  }
  if (!Decode(videoCodec.get(), nullptr, frame.get(), video)) return std::nullopt;
  if (audioCodec && !Decode(audioCodec.get(), nullptr, frame.get(), video)) return std::nullopt;
  return video;
}
