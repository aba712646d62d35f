#pragma once
// The pitched instruments of the soundtrack: basses, the string pad, the lead, plucks and
// two frequency-modulated keyboards (bell and electric piano).
#include <cstdint>
#include <memory>

#include "music/voice.h"

// The voice for a pitched event (any instrument that is not a drum).
std::unique_ptr<Voice> MakeToneVoice(const NoteEvent& note, uint64_t seed);
