#include "encoding_thread.h"

#include <chrono>

namespace {

double Seconds(std::chrono::steady_clock::duration duration) {
  return std::chrono::duration<double>(duration).count();
}

}  // namespace

EncodingThread::EncodingThread(std::unique_ptr<VideoEncoder> encoder,
                               std::unique_ptr<SoundtrackSamples> soundtrack)
    : encoder_(std::move(encoder)), soundtrack_(std::move(soundtrack)), thread_([this] { Run(); }) {}

EncodingThread::~EncodingThread() { Stop(/*abandon=*/true); }

void EncodingThread::Stop(bool abandon) {
  {
    std::lock_guard lock(mutex_);
    closing_ = true;
    abandoned_ = abandoned_ || abandon;
  }
  changed_.notify_all();
  if (thread_.joinable()) thread_.join();
}

std::vector<uint8_t> EncodingThread::SpareBuffer() {
  std::lock_guard lock(mutex_);
  if (spares_.empty()) return {};
  std::vector<uint8_t> spare = std::move(spares_.back());
  spares_.pop_back();
  return spare;
}

void EncodingThread::Push(EncodedFrame frame) {
  const auto start = std::chrono::steady_clock::now();
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return queue_.size() < kQueueLength || failure_; });
  waitingSeconds_ += Seconds(std::chrono::steady_clock::now() - start);
  if (failure_) std::rethrow_exception(failure_);
  queue_.push_back(std::move(frame));
  changed_.notify_all();
}

void EncodingThread::Finish() {
  Stop(/*abandon=*/false);
  if (failure_) std::rethrow_exception(failure_);
  encoder_->Finish();
}

double EncodingThread::encodingSeconds() const {
  std::lock_guard lock(mutex_);
  return encodingSeconds_;
}

// Encodes until told to close. On closing, what is queued is still encoded, so that Finish
// completes every frame pushed, unless the video is abandoned.
void EncodingThread::Run() {
  for (;;) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !queue_.empty() || closing_; });
    if (queue_.empty() || failure_ || abandoned_) return;
    EncodedFrame frame = std::move(queue_.front());
    queue_.pop_front();
    lock.unlock();

    const auto start = std::chrono::steady_clock::now();
    std::exception_ptr failure;
    try {
      Encode(frame);
    } catch (...) {
      failure = std::current_exception();
    }
    lock.lock();
    encodingSeconds_ += Seconds(std::chrono::steady_clock::now() - start);
    if (failure) failure_ = failure;
    spares_.push_back(std::move(frame.bottomUpBgrx));
    changed_.notify_all();
  }
}

void EncodingThread::Encode(const EncodedFrame& frame) {
  encoder_->AddFrame(frame.bottomUpBgrx.data());
  if (!soundtrack_ || frame.audioEnd <= audioWritten_) return;
  const auto frames = static_cast<size_t>(frame.audioEnd - audioWritten_);
  audio_.resize(2 * frames);
  soundtrack_->Read(audio_.data(), frames);
  encoder_->AddAudio(audio_.data(), frames);
  audioWritten_ = frame.audioEnd;
}
