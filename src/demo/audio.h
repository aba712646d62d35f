#pragma once
// The soundtrack's player: one output device and MP3 streams decoded from memory buffers,
// with the calls the demo makes, in the order it makes them:
//   AudioInit, AudioStreamCreateFromMemory, AudioStart, AudioStreamPlay,
//   AudioPause / AudioStart (window activation), AudioStop, AudioStreamFree, AudioFree.
// Every call comes from the main thread; the output plays on SDL's audio thread. Start,
// pause and stop are safe to call when nothing was initialised: they find nothing to act on.
#include <cstddef>
#include <cstdint>

using AudioStream = uint32_t;  // 0 = no stream

// Opens the default output device at `frequency` Hz, 16-bit stereo. `device` 0 is the
// default device. Returns false when no output device can be opened.
bool AudioInit(int device, uint32_t frequency);

// Creates a stream that decodes the MP3 held in `data` (which must stay valid until the
// stream is freed). Returns 0 when the buffer is not an MP3 or the player is not
// initialised.
AudioStream AudioStreamCreateFromMemory(const void* data, size_t length);

// Runs the output again, resuming wherever it was paused.
bool AudioStart();
// Plays `stream` from its start; with `flush` anything still queued is dropped first.
bool AudioStreamPlay(AudioStream stream, bool flush);
// Halts the output, keeping every stream's position.
bool AudioPause();
// Halts the output.
bool AudioStop();
bool AudioStreamFree(AudioStream stream);
// Closes the output device and frees every stream.
bool AudioFree();

// The number of sample frames of `stream` handed to the output so far.
uint64_t AudioStreamPosition(AudioStream stream);
// Moves `stream` to sample frame `frame`: the output goes on from there, and the position
// becomes `frame`. A frame past the end leaves the stream at its end.
bool AudioStreamSeek(AudioStream stream, uint64_t frame);
