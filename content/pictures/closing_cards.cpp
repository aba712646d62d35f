// "f01.png" .. "f04.png": the cards of the ending. The demo loads them without alpha and
// fades each whole quad by its vertex colour over the black screen left by the last fade,
// so they are opaque pictures on black whose borders melt into the screen. Each is painted
// at twice its size on a 640 x 480 screen (its quad is 0.15 of the screen high) and reduced
// to a texture close to that size.
#include <string_view>
#include <vector>

#include "kit/png_encoder.h"
#include "pictures/line_text.h"
#include "pictures/palette.h"
#include "pictures/picture_entries.h"
#include "pictures/shape_painting.h"

namespace picture_art {
namespace {
constexpr float kMiddle = 72;  // every card is 144 design pixels high

// The first card: the demo's name.
void PaintTitleCard(LayerCanvas& canvas) {
  const Coverage word = CoverLine(canvas, Tracked("lantern"), Typeface::kSansBold, 40, 192,
                                  LowerCaseTop(kMiddle, 40), Align::kCentre, kPaper);
  const float halfWord = static_cast<float>(word.width) * 0.5f;
  for (const float side : {-1.0f, 1.0f}) {
    const float inner = 192 + side * (halfWord + 16), outer = 192 + side * 172;
    StrokePath(canvas, {{inner, kMiddle}, {outer, kMiddle}}, 3, kAmber);
    FillDisc(canvas, {outer, kMiddle}, 5, kAmber);
  }
}

// The credits: the crafts that made the demo, by the group.
void PaintCreditsCard(LayerCanvas& canvas) {
  constexpr std::string_view kRoles[] = {"code", "graphics", "music", "3d scenes"};
  constexpr int kSize = 38;
  constexpr float kGap = 64;
  std::vector<Coverage> inks;
  float total = -kGap;
  for (const std::string_view role : kRoles) {
    inks.push_back(SetLine(role, Typeface::kSansBold, kSize));
    total += static_cast<float>(inks.back().width) + kGap;
  }
  float x = 512 - total * 0.5f;
  const float top = LowerCaseTop(50, kSize);
  for (size_t i = 0; i < inks.size(); ++i) {
    if (i > 0) FillDisc(canvas, {x - kGap * 0.5f, 50}, 5, kAmber);
    CoverInk(canvas, inks[i], x, top, kPaper);
    x += static_cast<float>(inks[i].width) + kGap;
  }
  StrokePath(canvas, {{220, 92}, {804, 92}}, 2, Faded(kPaper, 0.3f));
  CoverLine(canvas, Tracked("made by copperkey"), Typeface::kMonoBold, 20, 512, 104, Align::kCentre,
            kAmber);
}

void PaintThanksCard(LayerCanvas& canvas) {
  CoverLine(canvas, "thanks for", Typeface::kSansBold, 40, 224, LowerCaseTop(52, 40),
            Align::kCentre, kPaper);
  CoverLine(canvas, Tracked("watching"), Typeface::kMonoBold, 22, 224, 90, Align::kCentre, kAmber);
}

// The last card, which pulses before the demo ends: the lantern goes out.
void PaintLightsOutCard(LayerCanvas& canvas) {
  const Point spark{128, kMiddle};
  Glow(canvas, spark, 56, kAmber, 0.8f);
  FillDisc(canvas, spark, 8, kPaper);
  CoverLine(canvas, "lights out", Typeface::kSansBold, 56, 184, LowerCaseTop(kMiddle, 56),
            Align::kLeft, kPaper);
}

struct ClosingCard {
  const char* name;
  int designWidth;
  int textureWidth;
  void (*paint)(LayerCanvas&);
};

// Quads of 0.3, 0.8, 0.35 and 0.5 of the screen's width, all 0.15 high.
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
    LayerCanvas canvas(card.designWidth, 144);
    card.paint(canvas);
    entries.push_back(StreamEntry(
        card.name, EncodePng(canvas.ReduceOnBlack(card.textureWidth, 64), PngChannels::kRgb)));
  }
  return entries;
}

}  // namespace picture_art
