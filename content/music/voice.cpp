#include "music/voice.h"

#include "music/drum_voices.h"
#include "music/tone_voices.h"

std::unique_ptr<Voice> MakeVoice(const NoteEvent& note, uint64_t seed) {
  return IsDrum(note.instrument) ? MakeDrumVoice(note, seed) : MakeToneVoice(note, seed);
}
