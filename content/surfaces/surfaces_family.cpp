#include "families.h"
#include "kit/png_encoder.h"
#include "surfaces/blob_environment.h"
#include "surfaces/dark_flares.h"
#include "surfaces/dna_texture.h"
#include "surfaces/tetradoom_face.h"
#include "surfaces/tunnel_title.h"
#include "surfaces/vent_shaft.h"

// RGBA exactly for the pictures whose effects load them in the alpha format and blend by
// their alpha; the others are loaded in the default format, which drops alpha.
std::vector<ArchiveEntry> MakeSurfaceEntries() {
  using namespace surfaces;
  std::vector<ArchiveEntry> entries;
  entries.push_back(StreamEntry("dnatex.raw", MakeDnaTexture()));
  entries.push_back(StreamEntry("tunnel.png", EncodePng(MakeTunnelTitle(), PngChannels::kRgb)));
  entries.push_back(StreamEntry("darkFlare.png", EncodePng(MakeDarkFlare(), PngChannels::kRgba)));
  entries.push_back(StreamEntry("f2back.png", EncodePng(MakeFlareBackground(), PngChannels::kRgb)));
  entries.push_back(StreamEntry("ckenv.png", EncodePng(MakeBlobEnvironment(), PngChannels::kRgb)));
  entries.push_back(StreamEntry("vent_shaft.png", EncodePng(MakeVentWall(), PngChannels::kRgb)));
  entries.push_back(StreamEntry("fence.png", EncodePng(MakeVentFence(), PngChannels::kRgba)));
  entries.push_back(
      StreamEntry("tetradoom.png", EncodePng(MakeTetradoomFace(), PngChannels::kRgba)));
  return entries;
}
