#include "pictures/layer_canvas.h"

#include <algorithm>
#include <cmath>

namespace picture_art {
namespace {

// The source pixels that make up one target texel along an axis, with their area shares.
struct Footprint {
  int first = 0;
  std::vector<float> weights;
};

std::vector<Footprint> AreaFootprints(int sourceSize, int targetSize) {
  const double scale = static_cast<double>(sourceSize) / targetSize;
  std::vector<Footprint> footprints(static_cast<size_t>(targetSize));
  for (int i = 0; i < targetSize; ++i) {
    const double begin = i * scale, end = (i + 1) * scale;
    Footprint& footprint = footprints[static_cast<size_t>(i)];
    footprint.first = static_cast<int>(begin);
    const int last = std::min(sourceSize, static_cast<int>(std::ceil(end)));
    for (int s = footprint.first; s < last; ++s) {
      const double share = std::min<double>(s + 1, end) - std::max<double>(s, begin);
      footprint.weights.push_back(static_cast<float>(share / scale));
    }
  }
  return footprints;
}

// Gives every fully clear texel the mean colour of its already coloured neighbours, ring by
// ring outwards from the ink.
void BleedColourIntoClearTexels(PixelImage& image) {
  const int width = image.width(), height = image.height();
  const auto index = [width](int x, int y) { return static_cast<size_t>(y) * width + x; };
  constexpr int kSteps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
  std::vector<bool> coloured(static_cast<size_t>(width) * height);
  std::vector<bool> queued(coloured.size());
  std::vector<std::pair<int, int>> ring;
  const auto queueClearNeighbours = [&](int x, int y, std::vector<std::pair<int, int>>& into) {
    for (const auto& step : kSteps) {
      const int nx = x + step[0], ny = y + step[1];
      if (nx < 0 || nx >= width || ny < 0 || ny >= height || queued[index(nx, ny)]) continue;
      queued[index(nx, ny)] = true;
      into.emplace_back(nx, ny);
    }
  };
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      coloured[index(x, y)] = queued[index(x, y)] = image.at(x, y).a != 0;
    }
  }
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (coloured[index(x, y)]) queueClearNeighbours(x, y, ring);
    }
  }
  while (!ring.empty()) {
    for (const auto& [x, y] : ring) {
      int r = 0, g = 0, b = 0, count = 0;
      for (const auto& step : kSteps) {
        const int nx = x + step[0], ny = y + step[1];
        if (nx < 0 || nx >= width || ny < 0 || ny >= height || !coloured[index(nx, ny)]) {
          continue;
        }
        const Rgba8 neighbour = image.at(nx, ny);
        r += neighbour.r, g += neighbour.g, b += neighbour.b, ++count;
      }
      image.at(x, y) = {static_cast<uint8_t>(r / count), static_cast<uint8_t>(g / count),
                        static_cast<uint8_t>(b / count), 0};
    }
    std::vector<std::pair<int, int>> next;
    for (const auto& [x, y] : ring) coloured[index(x, y)] = true;
    for (const auto& [x, y] : ring) queueClearNeighbours(x, y, next);
    ring = std::move(next);
  }
}

}  // namespace

LayerCanvas::LayerCanvas(int width, int height)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height) {}

void LayerCanvas::Cover(int x, int y, Colour colour, float coverage) {
  const float alpha = std::clamp(colour.a * coverage, 0.0f, 1.0f);
  Premultiplied& pixel = pixels_[static_cast<size_t>(y) * width_ + x];
  const float keep = 1.0f - alpha;
  pixel = {colour.r * alpha + pixel.r * keep, colour.g * alpha + pixel.g * keep,
           colour.b * alpha + pixel.b * keep, alpha + pixel.a * keep};
}

void LayerCanvas::Light(int x, int y, Colour colour, float amount) {
  const float strength = std::clamp(amount, 0.0f, 1.0f);
  const auto screen = [](float below, float light) { return below + light - below * light; };
  Premultiplied& pixel = pixels_[static_cast<size_t>(y) * width_ + x];
  pixel = {screen(pixel.r, std::clamp(colour.r, 0.0f, 1.0f) * strength),
           screen(pixel.g, std::clamp(colour.g, 0.0f, 1.0f) * strength),
           screen(pixel.b, std::clamp(colour.b, 0.0f, 1.0f) * strength), screen(pixel.a, strength)};
}

std::vector<LayerCanvas::Premultiplied> LayerCanvas::ReducePremultiplied(int width,
                                                                         int height) const {
  const auto addWeighted = [](Premultiplied& sum, const Premultiplied& source, float weight) {
    sum = {sum.r + source.r * weight, sum.g + source.g * weight, sum.b + source.b * weight,
           sum.a + source.a * weight};
  };
  const std::vector<Footprint> columns = AreaFootprints(width_, width);
  const std::vector<Footprint> rows = AreaFootprints(height_, height);
  std::vector<Premultiplied> narrowed(static_cast<size_t>(width) * height_);
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width; ++x) {
      const Footprint& footprint = columns[static_cast<size_t>(x)];
      Premultiplied sum;
      for (size_t i = 0; i < footprint.weights.size(); ++i) {
        const Premultiplied& source =
            pixels_[static_cast<size_t>(y) * width_ + footprint.first + i];
        addWeighted(sum, source, footprint.weights[i]);
      }
      narrowed[static_cast<size_t>(y) * width + x] = sum;
    }
  }
  std::vector<Premultiplied> reduced(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    const Footprint& footprint = rows[static_cast<size_t>(y)];
    for (int x = 0; x < width; ++x) {
      Premultiplied sum;
      for (size_t i = 0; i < footprint.weights.size(); ++i) {
        const Premultiplied& source =
            narrowed[(static_cast<size_t>(footprint.first) + i) * width + x];
        addWeighted(sum, source, footprint.weights[i]);
      }
      reduced[static_cast<size_t>(y) * width + x] = sum;
    }
  }
  return reduced;
}

PixelImage LayerCanvas::Reduce(int width, int height) const {
  const std::vector<Premultiplied> reduced = ReducePremultiplied(width, height);
  PixelImage image(width, height, Rgba8{0, 0, 0, 0});
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const Premultiplied& texel = reduced[static_cast<size_t>(y) * width + x];
      if (texel.a <= 0.0f) continue;
      image.Set(x, y, {texel.r / texel.a, texel.g / texel.a, texel.b / texel.a, texel.a});
    }
  }
  BleedColourIntoClearTexels(image);
  return image;
}

}  // namespace picture_art
