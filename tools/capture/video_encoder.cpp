#include "video_encoder.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/log.h>
#include <libswscale/swscale.h>
}

namespace {

// H.264 at this constant quality keeps thin lines and text free of smearing, and
// "veryfast" keeps the encoder well ahead of the renderer.
constexpr const char* kH264Preset = "veryfast";
constexpr const char* kH264Quality = "16";   // x264's constant rate factor; lower is better
constexpr int64_t kAacBitsPerSecond = 192000;
// For codecs that take audio frames of any length.
constexpr int kVariableAudioFrame = 4096;
constexpr int kBytesPerPixel = 4;

std::string ErrorText(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return text;
}

void Check(int result, const std::string& what) {
  if (result < 0) throw std::runtime_error(what + ": " + ErrorText(result));
}

struct CodecDeleter {
  void operator()(AVCodecContext* codec) const { avcodec_free_context(&codec); }
};
struct FrameDeleter {
  void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct PacketDeleter {
  void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct ScaleDeleter {
  void operator()(SwsContext* scale) const { sws_freeContext(scale); }
};
struct FormatDeleter {
  void operator()(AVFormatContext* format) const {
    avio_closep(&format->pb);
    avformat_free_context(format);
  }
};

struct StreamEncoder {
  AVStream* stream = nullptr;
  std::unique_ptr<AVCodecContext, CodecDeleter> codec;
  std::unique_ptr<AVFrame, FrameDeleter> frame;
  int64_t nextPts = 0;
};

const AVCodec* FindEncoder(VideoFormat format, bool video) {
  if (format == VideoFormat::kMp4) {
    return video ? avcodec_find_encoder_by_name("libx264") : avcodec_find_encoder(AV_CODEC_ID_AAC);
  }
  return avcodec_find_encoder(video ? AV_CODEC_ID_FFV1 : AV_CODEC_ID_FLAC);
}

// Makes the stream, its encoder (configured by `configure`, opened with `options`) and
// the frame that carries data into it.
StreamEncoder OpenStream(AVFormatContext* format, const AVCodec* codec,
                         const std::function<void(AVCodecContext&)>& configure,
                         AVDictionary* options) {
  StreamEncoder encoder;
  encoder.stream = avformat_new_stream(format, nullptr);
  encoder.codec.reset(avcodec_alloc_context3(codec));
  if (encoder.stream == nullptr || !encoder.codec) {
    av_dict_free(&options);
    throw std::runtime_error("out of memory");
  }
  AVCodecContext& context = *encoder.codec;
  configure(context);
  context.flags |= AV_CODEC_FLAG_BITEXACT;
  if (format->oformat->flags & AVFMT_GLOBALHEADER) context.flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  const int opened = avcodec_open2(&context, codec, &options);
  av_dict_free(&options);
  Check(opened, std::string("cannot open the ") + codec->name + " encoder");
  Check(avcodec_parameters_from_context(encoder.stream->codecpar, &context),
        "cannot describe the stream");
  encoder.stream->time_base = context.time_base;
  encoder.frame.reset(av_frame_alloc());
  if (!encoder.frame) throw std::runtime_error("out of memory");
  return encoder;
}

}  // namespace

struct VideoEncoder::Muxer {
  VideoSettings settings;
  std::unique_ptr<AVFormatContext, FormatDeleter> format;
  StreamEncoder video;
  StreamEncoder audio;
  int audioFrameSize = 0;
  std::unique_ptr<SwsContext, ScaleDeleter> toYuv;  // .mp4 only
  std::unique_ptr<AVPacket, PacketDeleter> packet{av_packet_alloc()};
  std::vector<int16_t> pendingAudio;  // interleaved samples short of a whole codec frame
  bool finished = false;

  void OpenVideo();
  void OpenAudio();
  // Hands `frame` (null: the end) to the encoder and writes every packet it gives back.
  void Send(StreamEncoder& encoder, const AVFrame* frame);
};

void VideoEncoder::Muxer::OpenVideo() {
  const AVCodec* codec = FindEncoder(settings.format, true);
  if (codec == nullptr) throw std::runtime_error("FFmpeg has no encoder for this video format");
  const bool mp4 = settings.format == VideoFormat::kMp4;
  const AVRational rate = av_d2q(settings.fps, 100000);
  AVDictionary* options = nullptr;
  if (mp4) {
    av_dict_set(&options, "preset", kH264Preset, 0);
    av_dict_set(&options, "crf", kH264Quality, 0);
  } else {
    // Version 3 splits frames into slices that the encoder's threads share.
    av_dict_set(&options, "level", "3", 0);
  }
  video = OpenStream(
      format.get(), codec,
      [&](AVCodecContext& context) {
        context.width = static_cast<int>(settings.width);
        context.height = static_cast<int>(settings.height);
        context.framerate = rate;
        context.time_base = av_inv_q(rate);
        context.pix_fmt = mp4 ? AV_PIX_FMT_YUV420P : AV_PIX_FMT_BGR0;
        // As many threads as the encoder likes: they take up the time the renderer leaves.
        context.thread_count = 0;
        if (mp4) {
          // What the conversion below produces: BT.601 in studio range.
          context.colorspace = AVCOL_SPC_SMPTE170M;
          context.color_range = AVCOL_RANGE_MPEG;
        }
      },
      options);
  video.stream->avg_frame_rate = rate;
  AVFrame& frame = *video.frame;
  frame.format = video.codec->pix_fmt;
  frame.width = video.codec->width;
  frame.height = video.codec->height;
  Check(av_frame_get_buffer(&frame, 0), "cannot allocate a video frame");
  if (mp4) {
    toYuv.reset(sws_getContext(frame.width, frame.height, AV_PIX_FMT_BGR0, frame.width,
                               frame.height, AV_PIX_FMT_YUV420P, SWS_BILINEAR, nullptr,
                               nullptr, nullptr));
    if (!toYuv) throw std::runtime_error("cannot convert the frames to YUV");
  }
}

void VideoEncoder::Muxer::OpenAudio() {
  const AVCodec* codec = FindEncoder(settings.format, false);
  if (codec == nullptr) throw std::runtime_error("FFmpeg has no encoder for this audio format");
  const bool mp4 = settings.format == VideoFormat::kMp4;
  audio = OpenStream(
      format.get(), codec,
      [&](AVCodecContext& context) {
        context.sample_fmt = mp4 ? AV_SAMPLE_FMT_FLTP : AV_SAMPLE_FMT_S16;
        context.sample_rate = static_cast<int>(settings.audioRate);
        av_channel_layout_default(&context.ch_layout, 2);
        context.time_base = AVRational{1, static_cast<int>(settings.audioRate)};
        if (mp4) context.bit_rate = kAacBitsPerSecond;
      },
      nullptr);
  audioFrameSize = audio.codec->frame_size > 0 ? audio.codec->frame_size : kVariableAudioFrame;
  AVFrame& frame = *audio.frame;
  frame.format = audio.codec->sample_fmt;
  frame.sample_rate = audio.codec->sample_rate;
  frame.nb_samples = audioFrameSize;
  Check(av_channel_layout_copy(&frame.ch_layout, &audio.codec->ch_layout),
        "cannot describe the audio");
  Check(av_frame_get_buffer(&frame, 0), "cannot allocate an audio frame");
}

void VideoEncoder::Muxer::Send(StreamEncoder& encoder, const AVFrame* frame) {
  Check(avcodec_send_frame(encoder.codec.get(), frame), "cannot encode");
  for (;;) {
    const int received = avcodec_receive_packet(encoder.codec.get(), packet.get());
    if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) return;
    Check(received, "cannot encode");
    av_packet_rescale_ts(packet.get(), encoder.codec->time_base, encoder.stream->time_base);
    packet->stream_index = encoder.stream->index;
    Check(av_interleaved_write_frame(format.get(), packet.get()), "cannot write");
  }
}

VideoEncoder::VideoEncoder(const std::string& path, const VideoSettings& settings)
    : path_(path), temporaryPath_(path + ".part"), muxer_(std::make_unique<Muxer>()) {
  Muxer& muxer = *muxer_;
  muxer.settings = settings;
  if (!muxer.packet) throw std::runtime_error("out of memory");
  // FFmpeg's chatter (encoder settings, statistics) would bury the progress line; its
  // errors still show.
  av_log_set_level(AV_LOG_ERROR);
  AVFormatContext* format = nullptr;
  Check(avformat_alloc_output_context2(&format, nullptr,
                                       settings.format == VideoFormat::kMp4 ? "mp4" : "matroska",
                                       temporaryPath_.c_str()),
        "cannot make a video file");
  muxer.format.reset(format);
  // No run-dependent identifiers or version strings: the same frames give the same bytes.
  format->flags |= AVFMT_FLAG_BITEXACT;
  muxer.OpenVideo();
  if (settings.audioRate != 0) muxer.OpenAudio();

  Check(avio_open(&format->pb, temporaryPath_.c_str(), AVIO_FLAG_WRITE),
        "cannot write " + temporaryPath_);
  AVDictionary* options = nullptr;
  // The index goes to the front, so that the video plays while it downloads.
  if (settings.format == VideoFormat::kMp4) av_dict_set(&options, "movflags", "+faststart", 0);
  const int written = avformat_write_header(format, &options);
  av_dict_free(&options);
  if (written < 0) {
    std::filesystem::remove(temporaryPath_);
    Check(written, "cannot write " + temporaryPath_);
  }
}

VideoEncoder::~VideoEncoder() {
  if (muxer_->finished) return;
  avio_closep(&muxer_->format->pb);
  std::error_code ignored;
  std::filesystem::remove(temporaryPath_, ignored);
}

void VideoEncoder::AddFrame(const uint8_t* bottomUpBgrx) {
  Muxer& muxer = *muxer_;
  AVFrame& frame = *muxer.video.frame;
  Check(av_frame_make_writable(&frame), "cannot encode");
  const int rowBytes = frame.width * kBytesPerPixel;
  const uint8_t* topRow = bottomUpBgrx + static_cast<size_t>(frame.height - 1) * rowBytes;
  if (muxer.toYuv) {
    // A negative stride walks the rows from the top down.
    const uint8_t* const source[1] = {topRow};
    const int sourceStride[1] = {-rowBytes};
    sws_scale(muxer.toYuv.get(), source, sourceStride, 0, frame.height, frame.data,
              frame.linesize);
  } else {
    for (int row = 0; row < frame.height; ++row) {
      std::memcpy(frame.data[0] + static_cast<ptrdiff_t>(row) * frame.linesize[0],
                  topRow - static_cast<ptrdiff_t>(row) * rowBytes, static_cast<size_t>(rowBytes));
    }
  }
  frame.pts = muxer.video.nextPts++;
  muxer.Send(muxer.video, &frame);
}

void VideoEncoder::AddAudio(const int16_t* interleaved, size_t frames) {
  Muxer& muxer = *muxer_;
  if (!muxer.audio.codec) return;
  muxer.pendingAudio.insert(muxer.pendingAudio.end(), interleaved, interleaved + 2 * frames);
  const auto whole = static_cast<size_t>(muxer.audioFrameSize);
  while (muxer.pendingAudio.size() >= 2 * whole) EncodeAudioFrame(whole);
}

void VideoEncoder::EncodeAudioFrame(size_t frames) {
  Muxer& muxer = *muxer_;
  AVFrame& frame = *muxer.audio.frame;
  Check(av_frame_make_writable(&frame), "cannot encode");
  const int16_t* samples = muxer.pendingAudio.data();
  if (frame.format == AV_SAMPLE_FMT_FLTP) {
    auto* left = reinterpret_cast<float*>(frame.data[0]);
    auto* right = reinterpret_cast<float*>(frame.data[1]);
    for (size_t i = 0; i < frames; ++i) {
      left[i] = static_cast<float>(samples[2 * i]) / 32768.0f;
      right[i] = static_cast<float>(samples[2 * i + 1]) / 32768.0f;
    }
  } else {
    std::memcpy(frame.data[0], samples, frames * 2 * sizeof(int16_t));
  }
  frame.nb_samples = static_cast<int>(frames);
  frame.pts = muxer.audio.nextPts;
  muxer.audio.nextPts += static_cast<int64_t>(frames);
  muxer.pendingAudio.erase(muxer.pendingAudio.begin(),
                           muxer.pendingAudio.begin() + static_cast<ptrdiff_t>(2 * frames));
  muxer.Send(muxer.audio, &frame);
}

void VideoEncoder::Finish() {
  Muxer& muxer = *muxer_;
  if (muxer.audio.codec) {
    // The last, shorter frame: both audio codecs take one.
    if (!muxer.pendingAudio.empty()) EncodeAudioFrame(muxer.pendingAudio.size() / 2);
    muxer.Send(muxer.audio, nullptr);
  }
  muxer.Send(muxer.video, nullptr);
  Check(av_write_trailer(muxer.format.get()), "cannot complete " + temporaryPath_);
  Check(avio_closep(&muxer.format->pb), "cannot complete " + temporaryPath_);
  std::error_code error;
  std::filesystem::rename(temporaryPath_, path_, error);
  if (error) throw std::runtime_error("cannot rename " + temporaryPath_ + ": " + error.message());
  muxer.finished = true;
}
