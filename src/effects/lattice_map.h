#pragma once
// A hash from lattice coordinates to values, for the blob polygoniser's processed cubes,
// corner values and edge vertices. A key packs three 16-bit lattice coordinates (x in bits
// 32..47, y in bits 16..31, z in bits 0..15; bits above 47 may tell apart things that share a
// corner, such as the three edges leaving it). The 4096 buckets are chosen by the low four
// bits of each coordinate, so neighbouring points fall in different buckets; each bucket is
// a growable array that starts with room for 2 records and doubles when full. Clear keeps
// the room, so a map refilled every frame stops allocating once it has grown.
#include <array>
#include <cstdint>
#include <vector>

using LatticeKey = uint64_t;

constexpr LatticeKey MakeLatticeKey(uint16_t x, uint16_t y, uint16_t z) {
  return LatticeKey{x} << 32 | LatticeKey{y} << 16 | z;
}

template <typename Value>
class LatticeMap {
 public:
  // The value stored for `key`, or null.
  const Value* Find(LatticeKey key) const {
    for (const Record& record : buckets_[BucketOf(key)]) {
      if (record.key == key) return &record.value;
    }
    return nullptr;
  }

  // Stores `value` for `key`, which must not be in the map yet.
  void Insert(LatticeKey key, Value value) {
    std::vector<Record>& bucket = buckets_[BucketOf(key)];
    if (bucket.size() == bucket.capacity()) {
      bucket.reserve(bucket.capacity() == 0 ? 2 : bucket.capacity() * 2);
    }
    bucket.push_back({key, value});
  }

  void Clear() {
    for (std::vector<Record>& bucket : buckets_) bucket.clear();
  }

 private:
  struct Record {
    LatticeKey key;
    Value value;
  };

  static size_t BucketOf(LatticeKey key) {
    return ((key >> 32) & 15) * 256 + ((key >> 16) & 15) * 16 + (key & 15);
  }

  std::array<std::vector<Record>, 4096> buckets_;
};
