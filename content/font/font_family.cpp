#include "families.h"
#include "font/font_image.h"

std::vector<ArchiveEntry> MakeFontEntries() {
  return {StreamEntry("bwfont.raw", MakeFontImage())};
}
