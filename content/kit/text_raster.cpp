#include "kit/text_raster.h"

#include <algorithm>
#include <cmath>

#include "kit/font_session.h"

namespace {
struct PlacedGlyph {
  int left, top;  // in pen coordinates, y down from the baseline
  Coverage ink;
};

std::vector<PlacedGlyph> LayOut(FT_Face face, std::string_view text) {
  std::vector<PlacedGlyph> glyphs;
  long penX = 0;  // 26.6 fixed point
  FT_UInt previous = 0;
  for (const char character : text) {
    const FT_UInt index = FT_Get_Char_Index(face, static_cast<unsigned char>(character));
    if (previous != 0 && index != 0 && FT_HAS_KERNING(face)) {
      FT_Vector kerning;
      FT_Get_Kerning(face, previous, index, FT_KERNING_DEFAULT, &kerning);
      penX += kerning.x;
    }
    if (FT_Load_Glyph(face, index, FT_LOAD_RENDER) != 0) continue;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    PlacedGlyph glyph{static_cast<int>(penX >> 6) + slot->bitmap_left, -slot->bitmap_top,
                      {static_cast<int>(bitmap.width), static_cast<int>(bitmap.rows), {}}};
    for (unsigned row = 0; row < bitmap.rows; ++row) {
      const unsigned char* source = bitmap.buffer + static_cast<long>(row) * bitmap.pitch;
      glyph.ink.values.insert(glyph.ink.values.end(), source, source + bitmap.width);
    }
    glyphs.push_back(std::move(glyph));
    penX += slot->advance.x;
    previous = index;
  }
  return glyphs;
}

Coverage CropToInk(const Coverage& coverage) {
  int minX = coverage.width, minY = coverage.height, maxX = -1, maxY = -1;
  for (int y = 0; y < coverage.height; ++y) {
    for (int x = 0; x < coverage.width; ++x) {
      if (coverage.at(x, y) == 0) continue;
      minX = std::min(minX, x), maxX = std::max(maxX, x);
      minY = std::min(minY, y), maxY = std::max(maxY, y);
    }
  }
  if (maxX < 0) return {};
  Coverage cropped{maxX - minX + 1, maxY - minY + 1, {}};
  for (int y = minY; y <= maxY; ++y) {
    for (int x = minX; x <= maxX; ++x) cropped.values.push_back(coverage.at(x, y));
  }
  return cropped;
}
}  // namespace

Coverage RenderText(std::string_view text, Typeface face, int pixelSize) {
  const FontSession session(face);
  FT_Set_Pixel_Sizes(session.face(), 0, static_cast<FT_UInt>(pixelSize));
  const std::vector<PlacedGlyph> glyphs = LayOut(session.face(), text);
  if (glyphs.empty()) return {};
  int minX = 0, minY = 0, maxX = 0, maxY = 0;
  for (const PlacedGlyph& glyph : glyphs) {
    minX = std::min(minX, glyph.left), maxX = std::max(maxX, glyph.left + glyph.ink.width);
    minY = std::min(minY, glyph.top), maxY = std::max(maxY, glyph.top + glyph.ink.height);
  }
  Coverage line{maxX - minX, maxY - minY, {}};
  line.values.assign(static_cast<size_t>(line.width) * line.height, 0);
  for (const PlacedGlyph& glyph : glyphs) {
    for (int y = 0; y < glyph.ink.height; ++y) {
      for (int x = 0; x < glyph.ink.width; ++x) {
        uint8_t& target = line.values[static_cast<size_t>(glyph.top - minY + y) * line.width +
                                      (glyph.left - minX + x)];
        target = std::max(target, glyph.ink.at(x, y));
      }
    }
  }
  return CropToInk(line);
}

Coverage ResizeCoverage(const Coverage& coverage, int width, int height) {
  Coverage resized{width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height)};
  if (coverage.width == 0 || coverage.height == 0) return resized;
  const double scaleX = static_cast<double>(coverage.width) / width;
  const double scaleY = static_cast<double>(coverage.height) / height;
  for (int y = 0; y < height; ++y) {
    const double y0 = y * scaleY, y1 = (y + 1) * scaleY;
    for (int x = 0; x < width; ++x) {
      const double x0 = x * scaleX, x1 = (x + 1) * scaleX;
      double sum = 0;
      for (int sy = static_cast<int>(y0); sy < std::min<int>(std::ceil(y1), coverage.height); ++sy) {
        const double wy = std::min<double>(sy + 1, y1) - std::max<double>(sy, y0);
        for (int sx = static_cast<int>(x0); sx < std::min<int>(std::ceil(x1), coverage.width); ++sx) {
          const double wx = std::min<double>(sx + 1, x1) - std::max<double>(sx, x0);
          sum += wx * wy * coverage.at(sx, sy);
        }
      }
      resized.values[static_cast<size_t>(y) * width + x] =
          static_cast<uint8_t>(std::lround(std::min(255.0, sum / (scaleX * scaleY))));
    }
  }
  return resized;
}

void DrawCoverage(PixelImage& image, const Coverage& coverage, int left, int top,
                  Colour colour) {
  for (int y = 0; y < coverage.height; ++y) {
    const int iy = top + y;
    if (iy < 0 || iy >= image.height()) continue;
    for (int x = 0; x < coverage.width; ++x) {
      const int ix = left + x;
      if (ix < 0 || ix >= image.width() || coverage.at(x, y) == 0) continue;
      image.Blend(ix, iy, colour, coverage.at(x, y) / 255.0f);
    }
  }
}

void DrawTextCentred(PixelImage& image, std::string_view text, Typeface face, int pixelSize,
                     int centreX, int centreY, Colour colour) {
  const Coverage ink = RenderText(text, face, pixelSize);
  DrawCoverage(image, ink, centreX - ink.width / 2, centreY - ink.height / 2, colour);
}
