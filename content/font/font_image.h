#pragma once
// The bitmap font's image: 256 x 128 bytes of coverage, one lower-case letter in each
// rectangle of the font's glyph table, set in a bold sans from FreeType.
#include <cstdint>
#include <vector>

std::vector<uint8_t> MakeFontImage();
