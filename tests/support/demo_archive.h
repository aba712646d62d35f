#pragma once
// The smallest archive a demo can be built from: every entry the runtime itself opens
// (the bitmap font), and nothing for the parts.
#include <cstdint>
#include <vector>

#include "support/compound_file.h"

// A 256 x 128 font image whose coverage byte at (x, y) is (x + y) & 0xFF.
std::vector<uint8_t> TestFontImage();

// A builder already holding "bwfont.raw"; tests add what they need.
CompoundFileBuilder DemoArchive();
