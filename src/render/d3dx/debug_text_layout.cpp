#include "render/d3dx/debug_text_layout.h"

#include <string>

#include <stb_easy_font.h>

namespace {

// The font's busiest glyph is made of 11 strokes; 16 leaves room.
constexpr size_t kMaxQuadsPerCharacter = 16;

// The font writes each stroke as a quad of four vertices: x, y, z floats and four
// colour bytes.
struct FontVertex {
  float x, y, z;
  unsigned char color[4];
};
static_assert(sizeof(FontVertex) == 16);

// The font indexes its glyph table with the byte, so nothing outside the table may reach it.
std::string PrintableCopy(std::string_view text) {
  std::string printable(text.substr(0, kMaxDebugTextLength));
  for (char& c : printable) {
    if (c != '\n' && (c < ' ' || c > '~')) c = '?';
  }
  return printable;
}

}  // namespace

std::vector<float> LayoutDebugText(float left, float top, std::string_view text) {
  std::string printable = PrintableCopy(text);
  std::vector<FontVertex> quads(printable.size() * kMaxQuadsPerCharacter * 4);
  const int quadCount =
      stb_easy_font_print(0.0f, 0.0f, printable.data(), nullptr, quads.data(),
                          static_cast<int>(quads.size() * sizeof(FontVertex)));

  std::vector<float> corners;
  corners.reserve(static_cast<size_t>(quadCount) * 6 * 2);
  // Corners 0-1-2 and 0-2-3 of each quad.
  constexpr int kTriangleCorners[6] = {0, 1, 2, 0, 2, 3};
  for (int quad = 0; quad < quadCount; ++quad) {
    for (int corner : kTriangleCorners) {
      const FontVertex& vertex = quads[static_cast<size_t>(quad * 4 + corner)];
      corners.push_back(left + vertex.x * kDebugTextScale);
      corners.push_back(top + vertex.y * kDebugTextScale);
    }
  }
  return corners;
}
