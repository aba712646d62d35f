#pragma once
// One played note of the score: which instrument, when (in sample frames of the
// soundtrack), for how long the key is held, and how.
#include <cstdint>
#include <vector>

enum class Instrument {
  kKick,
  kSnare,
  kClap,
  kClosedHat,
  kOpenHat,
  kCrash,
  kTom,
  kRiser,    // noise swelling up to the end of the note, into a cut
  kStatic,   // the hiss and crackle of a television between stations
  kBass,
  kAcidBass,
  kSubBass,
  kPad,
  kLead,
  kPluck,
  kBell,
  kKeys,     // electric piano
};

struct NoteEvent {
  int64_t start = 0;     // first frame
  int64_t length = 0;    // frames until the key is let go (drums ignore it)
  Instrument instrument = Instrument::kKick;
  float note = 60.0f;    // MIDI note number (pitched drums use it too)
  float velocity = 1.0f;
  float pan = 0.0f;      // -1 left .. 1 right
  float brightness = 0.5f;  // 0 dull .. 1 bright: filter opening, noise colour
};

using Score = std::vector<NoteEvent>;
