#include "terrain/terrain_layout.h"

float ColumnToWorldX(int column) {
  return static_cast<float>(column) / static_cast<float>(kHeightmapColumns - 1) *
         kLandscapeWidth;
}

float RowToWorldZ(int row) {
  return kLandscapeDepth - static_cast<float>(row) / static_cast<float>(kHeightmapRows - 1) *
                               kLandscapeDepth;
}
