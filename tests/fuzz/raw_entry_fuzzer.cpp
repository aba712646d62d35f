// Fuzzes what the effects make of their raw entries, whose only structure is their size
// (the readers refuse any other): the first byte picks the entry, the second the moment
// (the effects' positions and progress come from the clock, not the data), and the rest,
// cut or padded with zeros to the entry's size, is the entry. "land1.raw" is sampled
// around and beyond the map; "dnatex.raw" is drawn as the helix.
#include <cstdint>
#include <vector>

#include "effects/dna_effect.h"
#include "effects/height_field.h"
#include "effects/terrain_flight.h"
#include "fuzz_input.h"

namespace {

// A moment in 0..1 from one byte.
float TakeMoment(FuzzInput& input) { return static_cast<float>(input.TakeByte()) / 255.0f; }

std::vector<uint8_t> TakeEntry(FuzzInput& input, size_t size) {
  std::vector<uint8_t> bytes = input.TakeBytes(size);
  bytes.resize(size, 0);
  return bytes;
}

void SampleHeightmapAround(FuzzInput& input, float at) {
  const std::vector<uint8_t> map =
      TakeEntry(input, size_t{kHeightmapColumns} * kHeightmapRows);
  // A position outside the map takes its edge.
  for (float offset : {-1.5f, -0.25f, 0.0f, 0.5f, 1.0f, 2.0f}) {
    const float height =
        SampleHeightmap(map, kHeightmapColumns, kHeightmapRows, at + offset, at - offset);
    if (!(height >= 0.0f && height <= 1.0f)) {
      FuzzContractBroken("a heightmap sample lies outside 0..1");
    }
  }
}

void DrawHelix(FuzzInput& input, float t) {
  const std::vector<uint8_t> skin = TakeEntry(input, size_t{kDnaSkinSide} * kDnaSkinSide);
  std::vector<uint32_t> pixels(size_t{kDnaPanelWidth} * kDnaPanelHeight);
  DrawDnaHelix(t, skin.data(), pixels.data());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  const uint8_t entry = input.TakeByte();
  const float at = TakeMoment(input);
  if (entry % 2 == 0) {
    SampleHeightmapAround(input, at);
  } else {
    DrawHelix(input, at);
  }
  return 0;
}
