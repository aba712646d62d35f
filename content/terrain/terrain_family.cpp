#include "families.h"
#include "kit/png_encoder.h"
#include "terrain/heightmap.h"
#include "terrain/landscape_textures.h"
#include "terrain/side_strip_picture.h"
#include "terrain/sky_texture.h"

std::vector<ArchiveEntry> MakeTerrainEntries() {
  std::vector<ArchiveEntry> entries;
  entries.push_back(StreamEntry("land1.raw", MakeLandscapeHeightmap()));
  entries.push_back(StreamEntry("terrain.png", EncodePng(MakeHeightRamp(), PngChannels::kRgb)));
  entries.push_back(StreamEntry("detail.png", EncodePng(MakeDetailGrain(), PngChannels::kGrey)));
  entries.push_back(StreamEntry("clouds.png", EncodePng(MakeCloudSky(), PngChannels::kRgb)));
  // The strips are blended by the picture's alpha.
  entries.push_back(
      StreamEntry("ditp.png", EncodePng(MakeSideStripPicture(), PngChannels::kRgba)));
  return entries;
}
