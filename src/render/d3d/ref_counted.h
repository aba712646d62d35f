#pragma once
// Reference counting for the platform objects (contexts, devices, surfaces, storages,
// streams): each starts with one reference, which belongs to whoever created it, and
// destroys itself when the last reference is released.
#include <cstdint>

class RefCounted {
 public:
  RefCounted() = default;
  RefCounted(const RefCounted&) = delete;
  RefCounted& operator=(const RefCounted&) = delete;

  uint32_t AddRef() { return ++references_; }
  uint32_t Release() {
    const uint32_t left = --references_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  virtual ~RefCounted() = default;

 private:
  uint32_t references_ = 1;
};

// Releases `object` if it is set and clears the pointer.
template <typename T>
void SafeRelease(T*& object) {
  if (object != nullptr) {
    object->Release();
    object = nullptr;
  }
}
