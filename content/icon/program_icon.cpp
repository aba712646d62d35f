#include "icon/program_icon.h"

#include <algorithm>
#include <cmath>

namespace {

// Every shape is laid out in a 0..1 square, y down, and measured in those units.
constexpr float kCorner = 0.18f;   // the tile's corner radius
constexpr float kBodyTop = 0.34f;  // the glass between the caps
constexpr float kBodyBottom = 0.76f;
constexpr float kBodyHalfWidth = 0.17f;
constexpr float kCapOverhang = 0.04f;
constexpr float kBarHalfWidth = 0.012f;

float Clamp01(float x) { return std::clamp(x, 0.0f, 1.0f); }

// Signed distance to a box centred at (cx, cy) with half sizes (hx, hy) and rounded by r.
float BoxDistance(float x, float y, float cx, float cy, float hx, float hy, float r) {
  const float qx = std::abs(x - cx) - hx + r, qy = std::abs(y - cy) - hy + r;
  const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
  return outside + std::min(std::max(qx, qy), 0.0f) - r;
}

// Coverage of a shape at signed distance `d` with an edge `pixel` wide.
float Cover(float d, float pixel) { return Clamp01(0.5f - d / pixel); }

// A cap: a trapezoid from half width `topHalf` at `top` to `bottomHalf` at `bottom`.
float CapDistance(float x, float y, float top, float bottom, float topHalf, float bottomHalf) {
  const float t = Clamp01((y - top) / (bottom - top));
  const float half = topHalf + (bottomHalf - topHalf) * t;
  return std::max({std::abs(x - 0.5f) - half, top - y, y - bottom});
}

Colour Over(Colour below, Colour above, float coverage) {
  return Mix(below, Colour{above.r, above.g, above.b, 1.0f}, coverage);
}

}  // namespace

PixelImage PaintProgramIcon(int size) {
  PixelImage icon(size, size, Rgba8{0, 0, 0, 0});
  const float pixel = 1.0f / static_cast<float>(size);
  const Colour nightTop{0.10f, 0.14f, 0.30f, 1}, nightBottom{0.02f, 0.03f, 0.08f, 1};
  const Colour flame{1.0f, 0.93f, 0.62f, 1}, amber{1.0f, 0.56f, 0.16f, 1};
  const Colour metal{0.16f, 0.12f, 0.10f, 1}, rim{0.55f, 0.38f, 0.22f, 1};

  PaintEachPixel(icon, [&](float u, float v) {
    const float tile =
        Cover(BoxDistance(u, v, 0.5f, 0.5f, 0.5f - pixel, 0.5f - pixel, kCorner), pixel);
    if (tile <= 0.0f) return Colour{0, 0, 0, 0};
    Colour colour = Mix(nightTop, nightBottom, v);

    // The lantern's light: a warm halo over the tile, brightest at the flame.
    const float fx = u - 0.5f, fy = v - 0.56f;
    const float r = std::sqrt(fx * fx + fy * fy * 0.8f);
    colour = colour + amber * (0.55f * std::exp(-r / 0.16f));

    // The glass: warm light, white-hot at the flame, darker toward its edges.
    const float body = BoxDistance(u, v, 0.5f, (kBodyTop + kBodyBottom) / 2, kBodyHalfWidth,
                                   (kBodyBottom - kBodyTop) / 2, 0.03f);
    const float flameGlow = std::exp(-(fx * fx / 0.004f + fy * fy / 0.012f));
    const Colour glass = Mix(amber * 0.85f, flame, Clamp01(flameGlow * 1.2f));
    colour = Over(colour, glass, Cover(body, pixel));

    // Frame: the glass's outline and three bars across it.
    const float outline = std::abs(body) - 0.012f;
    float frame = Cover(outline, pixel);
    for (const float bar : {-kBodyHalfWidth * 0.5f, kBodyHalfWidth * 0.5f}) {
      const float d = std::max(std::abs(u - 0.5f - bar) - kBarHalfWidth,
                               std::max(kBodyTop - v, v - kBodyBottom));
      frame = std::max(frame, Cover(d, pixel) * 0.8f);
    }
    colour = Over(colour, metal, frame);

    // Caps above and below the glass, and the ring it hangs from.
    const float topCap =
        CapDistance(u, v, kBodyTop - 0.09f, kBodyTop, 0.07f, kBodyHalfWidth + kCapOverhang);
    const float bottomCap = CapDistance(u, v, kBodyBottom, kBodyBottom + 0.06f,
                                        kBodyHalfWidth + kCapOverhang, kBodyHalfWidth);
    const float ringDistance =
        std::abs(std::hypot(u - 0.5f, v - (kBodyTop - 0.14f)) - 0.055f) - 0.014f;
    const float caps =
        std::max({Cover(topCap, pixel), Cover(bottomCap, pixel), Cover(ringDistance, pixel)});
    // Lit from below by the glass: the caps' lower rims catch the light.
    const Colour capColour = Mix(metal, rim, Clamp01((v - (kBodyTop - 0.09f)) / 0.09f) * 0.6f);
    colour = Over(colour, capColour, caps);

    colour.a = tile;
    return colour;
  });
  return icon;
}
