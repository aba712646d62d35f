#include "demo/audio.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "demo/handle_table.h"
#include "demo/mp3_decoder.h"

namespace {

constexpr int kChannels = 2;
constexpr size_t kBytesPerFrame = kChannels * sizeof(int16_t);
// About 23 ms at 44.1 kHz, so that pausing and starting are heard at once.
constexpr Uint16 kDeviceBufferFrames = 1024;

struct Stream {
  std::unique_ptr<Mp3Decoder> decoder;
  uint64_t frames_played = 0;
};

// The main thread changes what the audio thread reads only while it holds the device lock,
// which SDL also holds around every call of the callback. `device` and `frequency` are only
// ever touched by the main thread.
struct Player {
  SDL_AudioDeviceID device = 0;  // 0 while no device is open
  uint32_t frequency = 0;
  HandleTable<Stream> streams;
  AudioStream playing = 0;
};

Player player;

class DeviceLock {
 public:
  explicit DeviceLock(SDL_AudioDeviceID device) : device_(device) { SDL_LockAudioDevice(device_); }
  ~DeviceLock() { SDL_UnlockAudioDevice(device_); }
  DeviceLock(const DeviceLock&) = delete;
  DeviceLock& operator=(const DeviceLock&) = delete;

 private:
  SDL_AudioDeviceID device_;
};

// Runs on the audio thread: decodes the playing stream into the device's buffer, and
// fills whatever the stream does not cover with silence.
void FillDeviceBuffer(void* userdata, Uint8* buffer, int length) {
  Player& state = *static_cast<Player*>(userdata);
  const size_t frames = static_cast<size_t>(length) / kBytesPerFrame;
  size_t decoded = 0;
  if (Stream* stream = state.streams.Find(state.playing)) {
    decoded = stream->decoder->Read(reinterpret_cast<int16_t*>(buffer), frames);
    stream->frames_played += decoded;
  }
  const size_t decoded_bytes = decoded * kBytesPerFrame;
  std::memset(buffer + decoded_bytes, 0, static_cast<size_t>(length) - decoded_bytes);
}

// Device 0 is SDL's default output (a null name); device n is the nth output SDL lists.
bool FindDeviceName(int device, const char** name) {
  if (device < 0) return false;
  *name = device == 0 ? nullptr : SDL_GetAudioDeviceName(device - 1, 0);
  return device == 0 || *name != nullptr;
}

bool SetPaused(bool paused) {
  if (player.device == 0) return false;
  // SDL takes the device lock itself while it changes the pause state.
  SDL_PauseAudioDevice(player.device, paused ? 1 : 0);
  return true;
}

}  // namespace

// A second AudioInit while a device is open is refused: the open device and its streams
// stay as they are.
bool AudioInit(int device, uint32_t frequency) {
  if (player.device != 0 || frequency == 0 || frequency > INT32_MAX) return false;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;

  SDL_AudioSpec wanted{};
  wanted.freq = static_cast<int>(frequency);
  wanted.format = AUDIO_S16SYS;
  wanted.channels = kChannels;
  wanted.samples = kDeviceBufferFrames;
  wanted.callback = FillDeviceBuffer;
  wanted.userdata = &player;
  const char* name = nullptr;
  // With no changes allowed, SDL converts to whatever the hardware wants, and the callback
  // always sees exactly the format asked for. The device starts paused.
  const SDL_AudioDeviceID opened =
      FindDeviceName(device, &name)
          ? SDL_OpenAudioDevice(name, 0, &wanted, nullptr, 0)
          : 0;
  if (opened == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  player.device = opened;
  player.frequency = frequency;
  return true;
}

AudioStream AudioStreamCreateFromMemory(const void* data, size_t length) {
  if (player.device == 0) return 0;
  // Opening reads the whole buffer once to find its length, so it is done before taking
  // the lock that the audio thread waits on.
  std::unique_ptr<Mp3Decoder> decoder = Mp3Decoder::Open(data, length, player.frequency);
  if (!decoder) return 0;
  DeviceLock lock(player.device);
  return player.streams.Add(Stream{std::move(decoder)});
}

bool AudioStart() { return SetPaused(false); }

// The device pulls from a single decoder through the callback, so nothing is ever queued
// ahead of the device's own buffer and `flush` has nothing to drop.
bool AudioStreamPlay(AudioStream stream, bool /*flush*/) {
  if (player.device == 0) return false;
  DeviceLock lock(player.device);
  Stream* found = player.streams.Find(stream);
  if (found == nullptr || !found->decoder->Rewind()) return false;
  found->frames_played = 0;
  player.playing = stream;
  return true;
}

bool AudioPause() { return SetPaused(true); }

// Stopping leaves the playing stream where it is, like pausing: the demo stops the output
// only when it is about to free everything.
bool AudioStop() { return SetPaused(true); }

bool AudioStreamFree(AudioStream stream) {
  if (player.device == 0) return false;
  DeviceLock lock(player.device);
  if (!player.streams.Remove(stream)) return false;
  if (player.playing == stream) player.playing = 0;
  return true;
}

bool AudioFree() {
  if (player.device == 0) return false;
  // Closing waits for the audio thread to end, so nothing reads the streams afterwards.
  SDL_CloseAudioDevice(player.device);
  player = Player{};
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  return true;
}

bool AudioStreamSeek(AudioStream stream, uint64_t frame) {
  if (player.device == 0) return false;
  DeviceLock lock(player.device);
  Stream* found = player.streams.Find(stream);
  if (found == nullptr || !found->decoder->SeekToFrame(frame)) return false;
  const int64_t length = found->decoder->LengthInFrames();
  found->frames_played = length >= 0 ? std::min(frame, static_cast<uint64_t>(length)) : frame;
  return true;
}

uint64_t AudioStreamPosition(AudioStream stream) {
  if (player.device == 0) return 0;
  DeviceLock lock(player.device);
  const Stream* found = player.streams.Find(stream);
  return found == nullptr ? 0 : found->frames_played;
}
