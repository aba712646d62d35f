#pragma once
// Text for pictures, set with FreeType from Debian's DejaVu fonts (fonts-dejavu-core).
#include <cstdint>
#include <string_view>
#include <vector>

#include "kit/pixel_image.h"

// Ink coverage, 0 = none, 255 = full, row 0 at the top.
struct Coverage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> values;

  uint8_t at(int x, int y) const { return values[static_cast<size_t>(y) * width + x]; }
};

enum class Typeface { kSans, kSansBold, kSerif, kSerifBold, kMonoBold };

// Sets `text` on one line at FreeType pixel size `pixelSize` and returns its ink, cropped
// tightly to the inked pixels. Throws std::runtime_error when the font is missing.
Coverage RenderText(std::string_view text, Typeface face, int pixelSize);

// Scales `coverage` to exactly `width` x `height` with an area (box) filter.
Coverage ResizeCoverage(const Coverage& coverage, int width, int height);

// Lays `colour` over `image` wherever `coverage` has ink, its top left corner at
// (left, top); parts outside the picture are skipped.
void DrawCoverage(PixelImage& image, const Coverage& coverage, int left, int top,
                  Colour colour);

// Sets `text` at `pixelSize` and draws it centred on (centreX, centreY).
void DrawTextCentred(PixelImage& image, std::string_view text, Typeface face, int pixelSize,
                     int centreX, int centreY, Colour colour);
