#pragma once
// The synthesised drum kit and noise effects: kick, snare, clap, hats, crash, toms, the
// riser into a cut and the television static of the opening.
#include <cstdint>
#include <memory>

#include "music/voice.h"

bool IsDrum(Instrument instrument);

// The voice for a drum or noise event (IsDrum(note.instrument) must hold).
std::unique_ptr<Voice> MakeDrumVoice(const NoteEvent& note, uint64_t seed);
