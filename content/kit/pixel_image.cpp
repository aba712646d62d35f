#include "kit/pixel_image.h"

#include <algorithm>
#include <cmath>

namespace {
uint8_t ToByte(float value) {
  return static_cast<uint8_t>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}
int Wrap(int value, int size) { return ((value % size) + size) % size; }
}  // namespace

Colour operator+(Colour left, Colour right) {
  return {left.r + right.r, left.g + right.g, left.b + right.b, left.a + right.a};
}
Colour operator*(Colour colour, float factor) {
  return {colour.r * factor, colour.g * factor, colour.b * factor, colour.a * factor};
}
Colour operator*(Colour left, Colour right) {
  return {left.r * right.r, left.g * right.g, left.b * right.b, left.a * right.a};
}
Colour Mix(Colour left, Colour right, float t) { return left + (right + left * -1.0f) * t; }

Rgba8 ToRgba8(Colour colour) {
  return {ToByte(colour.r), ToByte(colour.g), ToByte(colour.b), ToByte(colour.a)};
}
Colour ToColour(Rgba8 pixel) {
  return {pixel.r / 255.0f, pixel.g / 255.0f, pixel.b / 255.0f, pixel.a / 255.0f};
}

PixelImage::PixelImage(int width, int height, Rgba8 fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill) {}

const Rgba8& PixelImage::wrapped(int x, int y) const {
  return at(Wrap(x, width_), Wrap(y, height_));
}

void PixelImage::Blend(int x, int y, Colour colour, float coverage) {
  const Colour below = ToColour(at(x, y));
  const float alpha = std::clamp(colour.a * coverage, 0.0f, 1.0f);
  Colour result = Mix(below, colour, alpha);
  result.a = below.a + (1.0f - below.a) * alpha;
  Set(x, y, result);
}

void PixelImage::AddLight(int x, int y, Colour colour, float amount) {
  Colour result = ToColour(at(x, y)) + colour * amount;
  result.a = at(x, y).a / 255.0f;
  Set(x, y, result);
}
