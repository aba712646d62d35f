#include "families.h"
#include "music/mp3_encoder.h"
#include "music/sound_dsp.h"
#include "music/soundtrack.h"

std::vector<ArchiveEntry> MakeSoundtrackEntries() {
  return {StreamEntry("muzik.mp3", EncodeMp3(RenderSoundtrack(), kSampleRate))};
}
