#include <algorithm>
#include <cmath>
#include <vector>

#include "kit/random.h"
#include "kit/text_raster.h"
#include "scenes/texture_painters.h"
#include "kit/portable_maths.h"

namespace scenes {
namespace {

// A float picture for light that is summed before it is stored.
struct LightField {
  int width, height;
  std::vector<float> values;

  LightField(int w, int h) : width(w), height(h), values(static_cast<size_t>(w) * h, 0) {}
  float& at(int x, int y) {
    return values[static_cast<size_t>((y + height) % height) * width + (x + width) % width];
  }
  float get(int x, int y) const {
    return values[static_cast<size_t>((y + height) % height) * width + (x + width) % width];
  }
};

// A wrapping box blur of `radius` pixels, run twice (close to a gaussian).
LightField Blurred(const LightField& field, int radius) {
  LightField result = field;
  for (int pass = 0; pass < 2; ++pass) {
    LightField across(field.width, field.height);
    for (int y = 0; y < field.height; ++y) {
      for (int x = 0; x < field.width; ++x) {
        float sum = 0;
        for (int d = -radius; d <= radius; ++d) sum += result.get(x + d, y);
        across.at(x, y) = sum / static_cast<float>(2 * radius + 1);
      }
    }
    for (int y = 0; y < field.height; ++y) {
      for (int x = 0; x < field.width; ++x) {
        float sum = 0;
        for (int d = -radius; d <= radius; ++d) sum += across.get(x, y + d);
        result.at(x, y) = sum / static_cast<float>(2 * radius + 1);
      }
    }
  }
  return result;
}

void Stamp(LightField& field, const Coverage& ink, int left, int top, float brightness) {
  for (int y = 0; y < ink.height; ++y) {
    for (int x = 0; x < ink.width; ++x)
      field.at(left + x, top + y) += ink.at(x, y) / 255.0f * brightness;
  }
}

}  // namespace

PixelImage BitsTexture() {
  constexpr int kSize = 256, kCells = 16, kCell = kSize / kCells;
  const Coverage digits[2] = {RenderText("0", Typeface::kMonoBold, 15),
                              RenderText("1", Typeface::kMonoBold, 15)};
  ContentRandom random(0xB175);
  LightField ink(kSize, kSize);
  for (int column = 0; column < kCells; ++column) {
    // Each column is a falling stream: bright at its head, fading up its tail.
    const float head = random.Range(0, kCells);
    const float tail = random.Range(5, 14);
    for (int row = 0; row < kCells; ++row) {
      const float behind =
          std::fmod(head - static_cast<float>(row) + kCells, static_cast<float>(kCells));
      const float brightness = behind < tail ? portable::pow(1 - behind / tail, 1.6f) : 0.06f;
      const Coverage& digit = digits[random.Below(2)];
      Stamp(ink, digit, column * kCell + (kCell - digit.width) / 2,
            row * kCell + (kCell - digit.height) / 2, brightness * random.Range(0.7f, 1.0f));
    }
  }
  const LightField halo = Blurred(ink, 3);
  PixelImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const float core = ink.get(x, y), glow = halo.get(x, y) * 2.2f;
      // A dim teal panel under the digits, and cell lines, give the dark parts some body so
      // that the city's blocks read against each other and the floor. Each line is two
      // pixels straddling a cell border, so the one on the tile's edge joins its neighbour
      // across the wrap.
      const auto onBorder = [&](int i) { return i % kCell == 0 || i % kCell == kCell - 1; };
      const float grid = (onBorder(x) || onBorder(y)) ? 0.06f : 0.0f;
      image.Set(x, y,
                {0.04f + 0.05f * core + 0.10f * glow + grid * 0.5f,
                 0.11f + 0.85f * core + 0.55f * glow + grid,
                 0.13f + 0.65f * core + 0.50f * glow + grid * 1.2f, 1});
    }
  }
  return image;
}

PixelImage BitSparkTexture() {
  constexpr int kSize = 64;
  const Coverage one = RenderText("1", Typeface::kMonoBold, 40);
  LightField ink(kSize, kSize);
  Stamp(ink, one, (kSize - one.width) / 2, (kSize - one.height) / 2, 1);
  const LightField halo = Blurred(ink, 4);
  PixelImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      // Black towards the border so the additive squares leave no edges.
      const float dx = (x + 0.5f) / kSize - 0.5f, dy = (y + 0.5f) / kSize - 0.5f;
      const float edge = std::clamp(1 - std::sqrt(dx * dx + dy * dy) * 2.2f, 0.0f, 1.0f);
      const float core = ink.get(x, y), glow = halo.get(x, y) * 1.8f;
      image.Set(
          x, y,
          Colour{0.3f * core + 0.1f * glow, core + 0.7f * glow, 0.8f * core + 0.6f * glow, 1} *
              edge);
    }
  }
  return image;
}

}  // namespace scenes
