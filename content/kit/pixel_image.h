#pragma once
// The picture type every texture generator paints into: 8-bit RGBA, row 0 at the top.
#include <cstddef>
#include <cstdint>
#include <vector>

struct Rgba8 {
  uint8_t r = 0, g = 0, b = 0, a = 255;
  bool operator==(const Rgba8&) const = default;
};

// A colour being computed, channels nominally 0..1 (values outside are clamped on store).
struct Colour {
  float r = 0, g = 0, b = 0, a = 1;
};

Colour operator+(Colour left, Colour right);
Colour operator*(Colour colour, float factor);
// Componentwise product (tinting).
Colour operator*(Colour left, Colour right);
// left + (right - left) * t, every channel.
Colour Mix(Colour left, Colour right, float t);
Rgba8 ToRgba8(Colour colour);
Colour ToColour(Rgba8 pixel);

class PixelImage {
 public:
  PixelImage(int width, int height, Rgba8 fill = {});

  int width() const { return width_; }
  int height() const { return height_; }
  Rgba8& at(int x, int y) { return pixels_[static_cast<size_t>(y) * width_ + x]; }
  const Rgba8& at(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
  // The pixel at (x, y) with both coordinates wrapped into the picture, for tileable work.
  const Rgba8& wrapped(int x, int y) const;
  const std::vector<Rgba8>& pixels() const { return pixels_; }

  void Set(int x, int y, Colour colour) { at(x, y) = ToRgba8(colour); }
  // Lays `colour` over the pixel with its alpha times `coverage` (0..1); the pixel's own
  // alpha grows the same way ("over" compositing).
  void Blend(int x, int y, Colour colour, float coverage);
  // Adds `colour` times `amount` to the pixel's colour (light), alpha untouched.
  void AddLight(int x, int y, Colour colour, float amount);

 private:
  int width_;
  int height_;
  std::vector<Rgba8> pixels_;
};

// Paints every pixel from `shade(u, v)`, where u, v are the pixel centre in 0..1.
template <typename Shade>
void PaintEachPixel(PixelImage& image, Shade shade) {
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const float u = (static_cast<float>(x) + 0.5f) / static_cast<float>(image.width());
      const float v = (static_cast<float>(y) + 0.5f) / static_cast<float>(image.height());
      image.Set(x, y, shade(u, v));
    }
  }
}
