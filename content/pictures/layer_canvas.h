#pragma once
// The painting surface of the pictures the demo lays over other pictures. It works in
// premultiplied floating-point RGBA at a "design" size: the picture's size on a 640 x 480
// screen times a supersampling factor, so its pixels are square on screen. At the end it
// is reduced to the texture's own size, whose texels usually are not square on screen.
#include <vector>

#include "kit/pixel_image.h"

namespace picture_art {

class LayerCanvas {
 public:
  // A fully transparent canvas.
  LayerCanvas(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }

  // "Over" compositing: lays `colour`, its alpha times `coverage` (0..1), on the pixel.
  void Cover(int x, int y, Colour colour, float coverage);
  // Light: screens `colour` times `amount` into the pixel, so overlapping light brightens
  // towards white and makes the pixel more opaque, never darker.
  void Light(int x, int y, Colour colour, float amount);

  // Area-filtered reduction to `width` x `height`, straight (not premultiplied) alpha.
  // Clear texels take the colour of their nearest inked neighbours, so that bilinear
  // filtering of the texture shows no dark fringe around the ink.
  PixelImage Reduce(int width, int height) const;

 private:
  struct Premultiplied {
    float r = 0, g = 0, b = 0, a = 0;
  };

  std::vector<Premultiplied> ReducePremultiplied(int width, int height) const;

  int width_;
  int height_;
  std::vector<Premultiplied> pixels_;
};

}  // namespace picture_art
