// The soundtrack: read whole from the archive_ into memory and played from there.
#include <algorithm>
#include <cmath>

#include "base/demo_error.h"
#include "base/log.h"
#include "demo/demo.h"
#include "resources/archive.h"

namespace {
constexpr uint32_t kOutputFrequency = 44100;
}

void CDemo::LoadMusic() {
  if (!AudioInit(0, kOutputFrequency)) throw demoError("Error initializing sound system");
  audioInitialised_ = true;

  IStream* music = nullptr;
  const HRESULT opened = OpenArchiveStream(u"muzik.mp3", archive_, &music);
  if (FAILED(opened)) throw demoError("Cannot open muzik.mp3: " + ErrorText(opened));
  uint32_t bytesRead = 0;
  const HRESULT read = ReadWholeStream(music, audioBuffer_, &bytesRead);
  if (read == E_OUTOFMEMORY) {
    throw demoError("Could not allocate audio buffer: " + ErrorText(E_OUTOFMEMORY));
  }
  // A stream_ the player refuses is no error: the demo runs silent, timed by its clock.
  stream_ = AudioStreamCreateFromMemory(audioBuffer_.data(), bytesRead);
}

void CDemo::PlayMusic() {
  AudioStart();
  AudioStreamPlay(stream_, true);
}

void CDemo::SeekMusicTo(double seconds) {
  if (stream_ == 0) return;
  const auto frame = std::llround(std::max(seconds, 0.0) * kOutputFrequency);
  AudioStreamSeek(stream_, static_cast<uint64_t>(frame));
}

double CDemo::MusicPosition() const {
  return static_cast<double>(AudioStreamPosition(stream_)) / kOutputFrequency;
}

void CDemo::StopAndFreeMusic() {
  AudioStop();
  AudioStreamFree(stream_);
  stream_ = 0;
  AudioFree();
  audioInitialised_ = false;
}
