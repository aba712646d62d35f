// The opening's type: a giant hatched letter fragment and the "copperkey presents" card.
#include <algorithm>
#include <cmath>

#include "pictures/intro_painters.h"
#include "pictures/line_text.h"
#include "pictures/palette.h"
#include "pictures/shape_painting.h"

namespace picture_art {
namespace {
// The ink grown by `radius` pixels in every direction (a square maximum filter), with
// room for the growth around it.
Coverage Dilated(const Coverage& ink, int radius) {
  Coverage grown{ink.width + 2 * radius, ink.height + 2 * radius, {}};
  const auto source = [&](int x, int y) {
    const int sx = x - radius, sy = y - radius;
    return sx >= 0 && sx < ink.width && sy >= 0 && sy < ink.height ? ink.at(sx, sy) : uint8_t{0};
  };
  std::vector<uint8_t> rows(static_cast<size_t>(grown.width) * grown.height);
  for (int y = 0; y < grown.height; ++y) {
    for (int x = 0; x < grown.width; ++x) {
      uint8_t widest = 0;
      for (int d = -radius; d <= radius; ++d) widest = std::max(widest, source(x + d, y));
      rows[static_cast<size_t>(y) * grown.width + x] = widest;
    }
  }
  grown.values.resize(rows.size());
  for (int y = 0; y < grown.height; ++y) {
    for (int x = 0; x < grown.width; ++x) {
      uint8_t tallest = 0;
      for (int d = std::max(0, y - radius); d <= std::min(grown.height - 1, y + radius); ++d) {
        tallest = std::max(tallest, rows[static_cast<size_t>(d) * grown.width + x]);
      }
      grown.values[static_cast<size_t>(y) * grown.width + x] = tallest;
    }
  }
  return grown;
}
}  // namespace

void PaintLetterFragment(LayerCanvas& canvas) {
  constexpr int kFrameLeft = 40, kFrameTop = 40, kFrameRight = 728, kFrameBottom = 536;
  constexpr int kOutline = 4;
  const Coverage letters = RenderText("lan", Typeface::kSansBold, 560);
  const Coverage grown = Dilated(letters, kOutline);
  constexpr int kLeft = 76, kTop = 74;
  const auto ink = [&](float x, float y) {
    const int lx = static_cast<int>(x) - kLeft, ly = static_cast<int>(y) - kTop;
    return lx >= 0 && lx < letters.width && ly >= 0 && ly < letters.height
               ? letters.at(lx, ly) / 255.0f
               : 0.0f;
  };
  const auto outline = [&](float x, float y) {
    const int gx = static_cast<int>(x) - kLeft + kOutline,
              gy = static_cast<int>(y) - kTop + kOutline;
    const float around = gx >= 0 && gx < grown.width && gy >= 0 && gy < grown.height
                             ? grown.at(gx, gy) / 255.0f
                             : 0.0f;
    return std::max(0.0f, around - ink(x, y));
  };
  // The letters run out of the frame: everything is clipped to its inside.
  const PixelArea inside{kFrameLeft + 4, kFrameTop + 4, kFrameRight - 4, kFrameBottom - 4};
  ShadeRect(canvas, kFrameLeft, kFrameTop, kFrameRight, kFrameBottom, 12, Faded(kInk, 0.8f));
  CoverArea(canvas, inside, Faded(kPaper, 0.2f), ink);
  CoverArea(canvas, inside, Faded(kPaper, 0.85f), [&](float x, float y) {
    constexpr float kPeriod = 16, kHalfWidth = 2.6f;
    const float across = (x + y) * 0.70710678f;
    const float offset = std::abs(std::fmod(across, kPeriod) - kPeriod * 0.5f);
    return EdgeCoverage(offset - kHalfWidth) * ink(x, y);
  });
  CoverArea(canvas, inside, kPaper, outline);
  StrokePath(canvas,
             {{kFrameLeft, kFrameTop},
              {kFrameRight, kFrameTop},
              {kFrameRight, kFrameBottom},
              {kFrameLeft, kFrameBottom},
              {kFrameLeft, kFrameTop}},
             3, Faded(kPaper, 0.7f));
  FillRect(canvas, kFrameLeft, 508, kFrameRight, 522, kAmber);
  CoverLine(canvas, "10", Typeface::kSansBold, 44, kFrameRight - 16, kFrameTop + 14, Align::kRight,
            kAmber);
  CoverTaggedLine(canvas, Tracked("type"), Typeface::kMonoBold, 24, kFrameLeft + 8,
                  kFrameBottom + 8, Align::kLeft, kAmber, kLabelBacking, 8);
}

void PaintPresentsCard(LayerCanvas& canvas) {
  ShadeRect(canvas, 150, 190, 874, 392, 90, Faded(kInk, 0.86f));
  CoverLine(canvas, "copperkey", Typeface::kSansBold, 128, 512, 194, Align::kCentre, kPaper);
  StrokePath(canvas, {{322, 344}, {702, 344}}, 4, kAmber);
  Glow(canvas, {512, 344}, 90, kAmber, 0.85f);
  FillDisc(canvas, {512, 344}, 7, kPaper);
  CoverLine(canvas, Tracked("presents"), Typeface::kMonoBold, 32, 512, 356, Align::kCentre, kPaper);
}

}  // namespace picture_art
