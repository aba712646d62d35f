#pragma once
// Many frames on one picture: each scaled down to a tile, with a label below it, in rows.
#include <cstdint>
#include <string>
#include <vector>

#include "render/d3dx/argb_image.h"

class FrameSheet {
 public:
  // Tiles are `tileWidth` pixels wide (never wider than the frames), `columns` to a row.
  explicit FrameSheet(uint32_t tileWidth = 320, uint32_t columns = 6);

  // Adds a frame (0xAARRGGBB, top row first). Each line of `label` that is too wide for
  // the tile wraps after a comma or a space.
  void Add(const ArgbImage& frame, const std::vector<std::string>& label);
  size_t size() const { return tiles_.size(); }

  // The whole sheet: the tiles in the order added, left to right and top to bottom.
  ArgbImage Compose() const;

 private:
  struct Tile {
    ArgbImage picture;
    std::vector<std::string> lines;
  };

  uint32_t tileWidth_;
  uint32_t columns_;
  std::vector<Tile> tiles_;
};
