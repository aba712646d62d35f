// "f01.png" .. "f04.png": the cards of the ending. They are shown one at a time in the
// middle of the black screen that the last fade leaves, so they have to light the closing
// half minute themselves: each is a panel of lantern paper glowing from behind, nearly
// white, warmer towards its rounded rim, lettered in vermilion ink. The demo blends them
// by their alpha (the rounded corners are clear) and fades them by their vertex colour.
//
// Every card is drawn into its own rectangle, 0.15 of the screen high and 0.3 to 0.8 of it
// wide, whatever the texture's size. So each is painted at twice its size on a 640 x 480
// screen, where its design pixels are square, and reduced to a power-of-two texture: the
// stretch on screen gives the letters back their shape. Letters stand at least 16 screen
// pixels high.
#include <algorithm>
#include <cmath>
#include <string_view>

#include "kit/noise.h"
#include "kit/png_encoder.h"
#include "pictures/line_text.h"
#include "pictures/palette.h"
#include "pictures/picture_entries.h"
#include "pictures/shape_painting.h"

namespace picture_art {
namespace {
constexpr int kDesignHeight = 144;  // 0.15 of 480 screen pixels, twice over
constexpr float kMiddle = 72;
// DejaVu Sans has an x-height of 0.55 em: 34 design pixels, 17 on a 640 x 480 screen.
constexpr int kLetterSize = 62;
constexpr float kCornerRadius = 12;

constexpr Colour kHotPaper{1.0f, 1.0f, 0.975f, 1};
constexpr Colour kRimPaper{1.0f, 0.80f, 0.50f, 1};
constexpr Colour kVermilion{0.80f, 0.17f, 0.06f, 1};

// Signed distance from (x, y) to the canvas's rectangle with rounded corners.
float CardDistance(const LayerCanvas& canvas, float x, float y) {
  const float halfWidth = static_cast<float>(canvas.width()) * 0.5f;
  const float halfHeight = static_cast<float>(canvas.height()) * 0.5f;
  const float qx = std::abs(x - halfWidth) - (halfWidth - kCornerRadius);
  const float qy = std::abs(y - halfHeight) - (halfHeight - kCornerRadius);
  const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
  return outside + std::min(std::max(qx, qy), 0.0f) - kCornerRadius;
}

// The lit paper: white where the light is strongest, warming only in a narrow band along
// the rim, with faint long fibres and the shadows of thin vertical ribs every `ribSpacing`
// design pixels (none when 0).
void PaintPaper(LayerCanvas& canvas, float ribSpacing, uint32_t seed) {
  const float width = static_cast<float>(canvas.width());
  const float height = static_cast<float>(canvas.height());
  ForEachPixel(canvas, {0, 0, canvas.width(), canvas.height()},
               [&](int x, int y, float px, float py) {
                 const float coverage = EdgeCoverage(CardDistance(canvas, px, py));
                 if (coverage <= 0.0f) return;
                 const float rim = std::min({px, width - px, py, height - py});
                 const float warmth = 1.0f - SmoothStep(0.0f, 8.0f, rim);
                 const float fibre = ValueNoise(px * 0.015f, py * 0.35f, 256, seed);
                 float light = 0.99f + 0.01f * fibre;
                 if (ribSpacing > 0.0f) {
                   const float offset = std::fmod(px, ribSpacing) - ribSpacing * 0.5f;
                   light -= 0.05f * std::exp(-offset * offset / 2.0f);
                 }
                 canvas.Cover(x, y, Mix(kHotPaper, kRimPaper, warmth) * light, coverage);
               });
}

// A round paper lantern outlined in ink, hanging from the top of the card at `x`.
void DrawHangingLantern(LayerCanvas& canvas, float x) {
  const Point body{x, 80};
  StrokePath(canvas, {{x, 0}, {x, 40}}, 3, kVermilion);
  FillRect(canvas, x - 14, 40, x + 14, 48, kVermilion);
  FillRect(canvas, x - 14, 112, x + 14, 120, kVermilion);
  StrokeRing(canvas, body, 32, 4, kVermilion);
  // The ribs of the paper, seen through it as faint lines.
  for (const float rib : {-15.0f, 0.0f, 15.0f}) {
    StrokePath(canvas, {{x + rib, 52}, {x + rib, 108}}, 2, Faded(kVermilion, 0.6f));
  }
}

// A flame rising from (x, bottom): a disc drawn up into a point `height` above it.
void DrawFlame(LayerCanvas& canvas, float x, float bottom, float height, Colour colour) {
  const float radius = height * 0.3f, centre = bottom - radius;
  CoverArea(canvas, AreaAround(x - radius, bottom - height, x + radius, bottom, 1), colour,
            [&](float px, float py) {
              float halfWidth = 0;
              if (py >= centre) {
                halfWidth = std::sqrt(std::max(radius * radius - (py - centre) * (py - centre), 0.0f));
              } else {
                const float up = (centre - py) / (height - radius);
                halfWidth = up < 1.0f ? radius * std::pow(1.0f - up, 1.4f) : 0.0f;
              }
              return EdgeCoverage(std::abs(px - x) - halfWidth);
            });
}

// The first card: the demo's name.
void PaintTitleCard(LayerCanvas& canvas) {
  PaintPaper(canvas, 0, 3);
  CoverLine(canvas, "lantern", Typeface::kSans, kLetterSize, 192,
            LowerCaseTop(kMiddle, kLetterSize), Align::kCentre, kVermilion);
}

// The credits, between two lanterns.
void PaintCreditsCard(LayerCanvas& canvas) {
  PaintPaper(canvas, 128, 5);
  CoverLine(canvas, "made by copperkey", Typeface::kSans, kLetterSize, 512,
            LowerCaseTop(kMiddle, kLetterSize), Align::kCentre, kVermilion);
  DrawHangingLantern(canvas, 110);
  DrawHangingLantern(canvas, 914);
}

// Two lines, each in letters of the full size.
void PaintThanksCard(LayerCanvas& canvas) {
  PaintPaper(canvas, 0, 7);
  CoverLine(canvas, "thanks for", Typeface::kSans, kLetterSize, 224,
            LowerCaseTop(kMiddle - 31, kLetterSize), Align::kCentre, kVermilion);
  CoverLine(canvas, "watching", Typeface::kSans, kLetterSize, 224,
            LowerCaseTop(kMiddle + 27, kLetterSize), Align::kCentre, kVermilion);
}

// The last card, which pulses before the demo ends: the lantern's flame, and the words.
void PaintLightsOutCard(LayerCanvas& canvas) {
  PaintPaper(canvas, 0, 11);
  constexpr float kFlameX = 140;
  StrokePath(canvas, {{kFlameX, 104}, {kFlameX, 124}}, 4, kInk);
  DrawFlame(canvas, kFlameX, 112, 96, kVermilion);
  DrawFlame(canvas, kFlameX, 106, 64, kAmber);
  DrawFlame(canvas, kFlameX, 100, 30, kHotPaper);
  CoverLine(canvas, "lights out", Typeface::kSans, kLetterSize, kFlameX + 60,
            LowerCaseTop(kMiddle, kLetterSize), Align::kLeft, kVermilion);
}

struct ClosingCard {
  const char* name;
  int designWidth;  // the card's rectangle on a 640 x 480 screen, twice over
  int textureWidth;
  void (*paint)(LayerCanvas&);
};

// Rectangles of 0.8, 0.3, 0.35 and 0.5 of the screen's width.
constexpr ClosingCard kClosingCards[] = {
    {"f01.png", 1024, 512, PaintCreditsCard},
    {"f02.png", 384, 256, PaintTitleCard},
    {"f03.png", 448, 256, PaintThanksCard},
    {"f04.png", 640, 256, PaintLightsOutCard},
};
}  // namespace

std::vector<ArchiveEntry> MakeClosingCardEntries() {
  std::vector<ArchiveEntry> entries;
  for (const ClosingCard& card : kClosingCards) {
    LayerCanvas canvas(card.designWidth, kDesignHeight);
    card.paint(canvas);
    entries.push_back(StreamEntry(
        card.name, EncodePng(canvas.Reduce(card.textureWidth, 64), PngChannels::kRgba)));
  }
  return entries;
}

}  // namespace picture_art
