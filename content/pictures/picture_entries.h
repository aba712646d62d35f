#pragma once
// The parts of the pictures family, each returning finished archive entries.
#include <vector>

#include "archive_entry.h"

namespace picture_art {

// "static2.png": the opening's television static.
ArchiveEntry MakeStaticEntry();
// "i01.png" .. "i11.png" and "ckpres.png": the pictures over the static.
std::vector<ArchiveEntry> MakeIntroPictureEntries();
// "f01.png" .. "f04.png": the closing cards.
std::vector<ArchiveEntry> MakeClosingCardEntries();
// "flare.png": the sprite of the title's flare swirl.
ArchiveEntry MakeTitleFlareEntry();

}  // namespace picture_art
