#pragma once
// Encodes on a thread of its own, so that the next frames render while the last ones are
// encoded. Frames queue up to a small bound; the thread also decodes the soundtrack's
// samples that go with each frame.
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "soundtrack_samples.h"
#include "video_encoder.h"

struct EncodedFrame {
  std::vector<uint8_t> bottomUpBgrx;  // as VideoEncoder::AddFrame takes it
  int64_t audioEnd = 0;  // the audio stream's length, in samples, once this frame is in
};

class EncodingThread {
 public:
  // `soundtrack` may be null for a video without audio.
  EncodingThread(std::unique_ptr<VideoEncoder> encoder,
                 std::unique_ptr<SoundtrackSamples> soundtrack);
  // Without Finish, stops the thread and drops the file.
  ~EncodingThread();

  EncodingThread(const EncodingThread&) = delete;
  EncodingThread& operator=(const EncodingThread&) = delete;

  // A buffer for the next frame's pixels, reused from frames already encoded.
  std::vector<uint8_t> SpareBuffer();
  // Queues the next frame; waits while the queue is full. Rethrows the thread's failure.
  void Push(EncodedFrame frame);
  // Encodes what is queued and completes the file. Rethrows the thread's failure.
  void Finish();

  // Seconds the thread spent encoding, and the caller spent waiting in Push.
  double encodingSeconds() const;
  double waitingSeconds() const { return waitingSeconds_; }

 private:
  void Run();
  void Encode(const EncodedFrame& frame);
  // Ends the thread once the queue is encoded, or at once when `abandon`.
  void Stop(bool abandon);

  static constexpr size_t kQueueLength = 8;

  std::unique_ptr<VideoEncoder> encoder_;
  std::unique_ptr<SoundtrackSamples> soundtrack_;
  std::vector<int16_t> audio_;
  int64_t audioWritten_ = 0;

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<EncodedFrame> queue_;
  std::vector<std::vector<uint8_t>> spares_;
  bool closing_ = false;
  bool abandoned_ = false;
  std::exception_ptr failure_;
  double encodingSeconds_ = 0;
  double waitingSeconds_ = 0;
  std::thread thread_;  // last, so that it starts after everything it uses
};
