#pragma once
// A sounding note. The mixer creates one voice per note event when the note starts and
// asks it for a block of frames at a time until it has died away.
#include <cstdint>
#include <memory>

#include "music/note_event.h"
#include "music/sound_dsp.h"

// Where a voice adds its sound: the dry stereo mix and the mono inputs of the reverb and
// the echo, all starting at the voice's first frame of the block.
struct MixBlock {
  float* left;
  float* right;
  float* reverb;
  float* echo;

  void Add(int frame, float sample, const Placement& placement) const {
    left[frame] += sample * placement.left;
    right[frame] += sample * placement.right;
    reverb[frame] += sample * placement.reverb;
    echo[frame] += sample * placement.echo;
  }
};

class Voice {
 public:
  virtual ~Voice() = default;
  // Adds the next `frames` frames to `out`. Returns false once the voice is silent for
  // good; it is not asked again.
  virtual bool Render(const MixBlock& out, int frames) = 0;
};

// The voice that plays `note`; `seed` makes its noise its own.
std::unique_ptr<Voice> MakeVoice(const NoteEvent& note, uint64_t seed);
