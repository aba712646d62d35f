// The strips of type that jitter over the opening's larger pictures.
#include <string_view>

#include "kit/random.h"
#include "pictures/intro_painters.h"
#include "pictures/line_text.h"
#include "pictures/palette.h"
#include "pictures/shape_painting.h"

namespace picture_art {
namespace {
constexpr float kLeft = 12, kRight = 756;
}  // namespace

void PaintSearchingStrip(LayerCanvas& canvas) {
  StrokePath(canvas, {{kLeft, 66}, {kRight, 66}}, 3, Faded(kPaper, 0.8f));
  for (float x = kLeft + 2; x < kRight; x += 32) {
    StrokePath(canvas, {{x, 56}, {x, 66}}, 3, Faded(kPaper, 0.8f));
  }
  FillRect(canvas, kLeft, 84, kRight, 204, Faded(kInk, 0.86f));
  FillRect(canvas, kLeft, 84, 128, 204, kAmber);
  CoverLine(canvas, "08", Typeface::kSansBold, 56, 70, 116, Align::kCentre, kInk);
  CoverLine(canvas, Tracked("searching"), Typeface::kSansBold, 64, 156, LowerCaseTop(144, 64),
            Align::kLeft, kPaper);
  StrokePath(canvas, {{kLeft, 222}, {kRight, 222}}, 3, Faded(kPaper, 0.8f));
  CoverTaggedLine(canvas, "scanning 01-99", Typeface::kMonoBold, 24, kRight - 8, 236, Align::kRight,
                  kAmber, kLabelBacking, 8);
}

void PaintBarcodeStrip(LayerCanvas& canvas) {
  FillRect(canvas, kLeft, 40, kRight, 248, Faded(kInk, 0.86f));
  ContentRandom random(0x42415243);
  for (float x = 36; x < 410;) {
    const float width = static_cast<float>(3 + random.Below(10));
    FillRect(canvas, x, 64, x + width, 184, kPaper);
    x += width + static_cast<float>(4 + random.Below(7));
  }
  CoverLine(canvas, "0 417223 908154", Typeface::kMonoBold, 24, 224, 196, Align::kCentre,
            Faded(kPaper, 0.9f));
  constexpr std::string_view kDataLines[] = {"2A 9F C3 11", "07 E1 B4 5D", "FF 00 3C 88"};
  float top = 62;
  for (const std::string_view line : kDataLines) {
    CoverLine(canvas, line, Typeface::kMonoBold, 28, 456, top, Align::kLeft, kAmber);
    top += 40;
  }
  StrokePath(canvas, {{456, 196}, {732, 196}, {732, 220}, {456, 220}, {456, 196}}, 3,
             Faded(kPaper, 0.8f));
  FillRect(canvas, 462, 202, 640, 214, kAmber);
}

void PaintDarkStrip(LayerCanvas& canvas) {
  CoverTaggedLine(canvas, "07", Typeface::kMonoBold, 28, kLeft + 8, 26, Align::kLeft, kAmber,
                  kLabelBacking, 8);
  StrokePath(canvas, {{60, 40}, {320, 40}}, 3, Faded(kPaper, 0.8f));
  constexpr int kSize = 76;
  constexpr float kBoxTop = 76, kBoxBottom = 206, kPad = 18;
  const float textTop = LowerCaseTop((kBoxTop + kBoxBottom) * 0.5f, kSize);
  float x = kLeft;
  for (const std::string_view word : {"in", "the", "dark"}) {
    const bool last = word == "dark";
    const Coverage ink = SetLine(word, Typeface::kSansBold, kSize);
    const float width = static_cast<float>(ink.width) + 2 * kPad;
    FillRect(canvas, x, kBoxTop, x + width, kBoxBottom, last ? kAmber : Faded(kInk, 0.85f));
    CoverInk(canvas, ink, x + kPad, textTop, last ? kInk : kPaper);
    x += width + 14;
  }
  StrokePath(canvas, {{kLeft, 226}, {kRight, 226}}, 3, Faded(kPaper, 0.6f));
}

void PaintCarryStrip(LayerCanvas& canvas) {
  FillRect(canvas, kLeft, 70, kRight, 218, Faded(kInk, 0.86f));
  const Point target{84, 144};
  Glow(canvas, target, 64, kAmber, 0.7f);
  StrokeRing(canvas, target, 42, 4, kAmber);
  StrokePath(canvas, {{target.x - 58, target.y}, {target.x + 58, target.y}}, 3, kPaper);
  StrokePath(canvas, {{target.x, target.y - 58}, {target.x, target.y + 58}}, 3, kPaper);
  FillDisc(canvas, target, 8, kPaper);
  CoverLine(canvas, "carry the light", Typeface::kSansBold, 58, 164, LowerCaseTop(144, 58),
            Align::kLeft, kPaper);
  CoverTaggedLine(canvas, "11", Typeface::kMonoBold, 28, kRight - 8, 28, Align::kRight, kAmber,
                  kLabelBacking, 8);
  CoverTaggedLine(canvas, Tracked("stand by"), Typeface::kMonoBold, 22, kRight - 8, 234,
                  Align::kRight, kPaper, kLabelBacking, 8);
}

}  // namespace picture_art
