#include "effects/blob_field.h"

#include <algorithm>
#include <cmath>

namespace {

// Larger than the influence radius, so that every blob a reading can feel is filed in the
// reading's own cell or one next to it.
constexpr float kCellSize = 1.1f * kBlobInfluenceRadius;

float Axis(const D3DVECTOR& v, int axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }

}  // namespace

int BlobField::CellOf(float offset) const {
  return static_cast<int>(std::floor(offset / kCellSize));
}

void BlobField::Rebuild(std::span<BlobRecord> blobs) {
  blobs_ = blobs;
  if (blobs.empty()) {
    firstInCell_.clear();
    return;
  }
  D3DVECTOR low = blobs.front().centre, high = low;
  for (const BlobRecord& blob : blobs) {
    low = {std::min(low.x, blob.centre.x), std::min(low.y, blob.centre.y),
           std::min(low.z, blob.centre.z)};
    high = {std::max(high.x, blob.centre.x), std::max(high.y, blob.centre.y),
            std::max(high.z, blob.centre.z)};
  }
  origin_ = {low.x - kBlobInfluenceRadius, low.y - kBlobInfluenceRadius,
             low.z - kBlobInfluenceRadius};
  for (int axis = 0; axis < 3; ++axis) {
    cells_[axis] = CellOf(Axis(high, axis) + kBlobInfluenceRadius - Axis(origin_, axis)) + 1;
  }
  firstInCell_.assign(static_cast<size_t>(cells_[0]) * cells_[1] * cells_[2], -1);
  for (int i = 0; i < static_cast<int>(blobs.size()); ++i) {
    const D3DVECTOR& c = blobs[i].centre;
    const int x = CellOf(c.x - origin_.x), y = CellOf(c.y - origin_.y), z = CellOf(c.z - origin_.z);
    int& first = firstInCell_[(static_cast<size_t>(z) * cells_[1] + y) * cells_[0] + x];
    blobs[i].nextInCell = first;
    first = i;
  }
}

float BlobField::ValueAt(const D3DVECTOR& p) const {
  if (firstInCell_.empty()) return 0.0f;
  const int cell[3] = {CellOf(p.x - origin_.x), CellOf(p.y - origin_.y), CellOf(p.z - origin_.z)};
  int from[3], to[3];
  for (int axis = 0; axis < 3; ++axis) {
    from[axis] = std::max(cell[axis] - 1, 0);
    to[axis] = std::min(cell[axis] + 1, cells_[axis] - 1);
  }
  float value = 0.0f;
  for (int z = from[2]; z <= to[2]; ++z) {
    for (int y = from[1]; y <= to[1]; ++y) {
      for (int x = from[0]; x <= to[0]; ++x) {
        int blob = firstInCell_[(static_cast<size_t>(z) * cells_[1] + y) * cells_[0] + x];
        for (; blob >= 0; blob = blobs_[blob].nextInCell) {
          const D3DVECTOR& c = blobs_[blob].centre;
          const float dx = p.x - c.x, dy = p.y - c.y, dz = p.z - c.z;
          const float squared = dx * dx + dy * dy + dz * dz;
          if (squared < 1.0f) value += 1.0f / squared - 1.0f;
        }
      }
    }
  }
  return value;
}
