#pragma once
// Objects kept under small non-zero integer handles, the way a C-style API hands them out.
// A freed handle is given to the next object added, as file descriptors are.
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

template <typename T>
class HandleTable {
 public:
  using Handle = uint32_t;  // 0 is never a handle

  Handle Add(T object) {
    size_t slot = 0;
    while (slot < slots_.size() && slots_[slot].has_value()) ++slot;
    if (slot == slots_.size()) slots_.emplace_back();
    slots_[slot].emplace(std::move(object));
    return static_cast<Handle>(slot + 1);
  }

  // Null for 0 and for handles that are not in use.
  T* Find(Handle handle) {
    if (handle == 0 || handle > slots_.size()) return nullptr;
    std::optional<T>& slot = slots_[handle - 1];
    return slot.has_value() ? &*slot : nullptr;
  }

  bool Remove(Handle handle) {
    if (Find(handle) == nullptr) return false;
    slots_[handle - 1].reset();
    return true;
  }

  void Clear() { slots_.clear(); }

 private:
  std::vector<std::optional<T>> slots_;
};
