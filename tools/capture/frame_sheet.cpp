#include "frame_sheet.h"

#include <algorithm>
#include <cmath>

#include "render/d3dx/debug_text_layout.h"

namespace {

// Pixels: the gap around tiles, and the height of one line of label text.
constexpr uint32_t kGap = 8;
constexpr uint32_t kLineHeight = 24;
constexpr uint32_t kBackground = 0xFF1C1C1C;
constexpr uint32_t kFirstLineColour = 0xFFFFD27A;  // the demo time
constexpr uint32_t kLineColour = 0xFFD8D8D8;

float TextWidth(const std::string& text) {
  const std::vector<float> corners = LayoutDebugText(0.0f, 0.0f, text);
  float right = 0.0f;
  for (size_t i = 0; i < corners.size(); i += 2) right = std::max(right, corners[i]);
  return right;
}

// Breaks `line` after commas or spaces so that each piece fits in `width` pixels; a word
// wider than that stands on its own line.
std::vector<std::string> Wrap(const std::string& line, float width) {
  std::vector<std::string> pieces;
  std::string current;
  size_t start = 0;
  while (start < line.size()) {
    size_t end = line.find_first_of(", ", start);
    end = end == std::string::npos ? line.size() : end + 1;
    const std::string word = line.substr(start, end - start);
    if (!current.empty() && TextWidth(current + word) > width) {
      pieces.push_back(current);
      current.clear();
    }
    // A piece never starts with the space that separated it from the last.
    current += current.empty() && word == " " ? "" : word;
    start = end;
  }
  if (!current.empty() || pieces.empty()) pieces.push_back(current);
  return pieces;
}

// Fills the font's strokes, cut off at `right`: every six corners are the two triangles of
// one upright rectangle.
void DrawText(ArgbImage& image, int left, int top, int right, const std::string& text,
              uint32_t colour) {
  const std::vector<float> corners =
      LayoutDebugText(static_cast<float>(left), static_cast<float>(top), text);
  for (size_t quad = 0; quad + 12 <= corners.size(); quad += 12) {
    float x0 = corners[quad], x1 = corners[quad], y0 = corners[quad + 1], y1 = corners[quad + 1];
    for (size_t i = quad; i < quad + 12; i += 2) {
      x0 = std::min(x0, corners[i]);
      x1 = std::max(x1, corners[i]);
      y0 = std::min(y0, corners[i + 1]);
      y1 = std::max(y1, corners[i + 1]);
    }
    const auto clampTo = [](float value, long limit) {
      return static_cast<int>(std::clamp(std::lround(value), 0L, limit));
    };
    const long xLimit = std::min<long>(right, image.width);
    for (int y = clampTo(y0, image.height); y < clampTo(y1, image.height); ++y) {
      for (int x = clampTo(x0, xLimit); x < clampTo(x1, xLimit); ++x) {
        image.pixels[static_cast<size_t>(y) * image.width + static_cast<size_t>(x)] = colour;
      }
    }
  }
}

}  // namespace

FrameSheet::FrameSheet(uint32_t tileWidth, uint32_t columns)
    : tileWidth_(std::max(tileWidth, 1u)), columns_(std::max(columns, 1u)) {}

void FrameSheet::Add(const ArgbImage& frame, const std::vector<std::string>& label) {
  const DWORD width = std::min<DWORD>(tileWidth_, frame.width);
  const auto height = static_cast<DWORD>(
      std::max(1L, std::lround(static_cast<double>(frame.height) * width / frame.width)));
  Tile tile{AverageDown(frame, width, height), {}};
  for (const std::string& line : label) {
    for (std::string& piece : Wrap(line, static_cast<float>(width))) {
      tile.lines.push_back(std::move(piece));
    }
  }
  tiles_.push_back(std::move(tile));
}

ArgbImage FrameSheet::Compose() const {
  ArgbImage sheet;
  if (tiles_.empty()) return sheet;
  // Every cell is as large as the largest tile with the longest label.
  uint32_t cellWidth = 0, cellHeight = 0;
  for (const Tile& tile : tiles_) {
    cellWidth = std::max<uint32_t>(cellWidth, tile.picture.width);
    cellHeight = std::max<uint32_t>(
        cellHeight, tile.picture.height + static_cast<uint32_t>(tile.lines.size()) * kLineHeight);
  }
  const auto count = static_cast<uint32_t>(tiles_.size());
  const uint32_t columns = std::min(columns_, count);
  const uint32_t rows = (count + columns - 1) / columns;
  sheet.width = kGap + columns * (cellWidth + kGap);
  sheet.height = kGap + rows * (cellHeight + kGap);
  sheet.pixels.assign(size_t{sheet.width} * sheet.height, kBackground);

  for (uint32_t index = 0; index < count; ++index) {
    const Tile& tile = tiles_[index];
    const uint32_t left = kGap + (index % columns) * (cellWidth + kGap);
    const uint32_t top = kGap + (index / columns) * (cellHeight + kGap);
    for (uint32_t y = 0; y < tile.picture.height; ++y) {
      std::copy_n(tile.picture.pixels.begin() + static_cast<ptrdiff_t>(y * tile.picture.width),
                  tile.picture.width,
                  sheet.pixels.begin() + static_cast<ptrdiff_t>((top + y) * sheet.width + left));
    }
    for (size_t line = 0; line < tile.lines.size(); ++line) {
      const auto lineTop = static_cast<int>(top + tile.picture.height +
                                            static_cast<uint32_t>(line) * kLineHeight) + 4;
      DrawText(sheet, static_cast<int>(left), lineTop,
               static_cast<int>(left + tile.picture.width), tile.lines[line],
               line == 0 ? kFirstLineColour : kLineColour);
    }
  }
  return sheet;
}
