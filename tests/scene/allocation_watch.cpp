#include "allocation_watch.h"

#include <atomic>
#include <cstdlib>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define LANTERN_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LANTERN_ADDRESS_SANITIZER 1
#endif
#endif

namespace {

std::atomic<size_t> g_largestAllocation{0};

void NoteAllocation(size_t size) {
  size_t largest = g_largestAllocation.load();
  while (size > largest && !g_largestAllocation.compare_exchange_weak(largest, size)) {
  }
}

}  // namespace

void ResetLargestAllocation() { g_largestAllocation = 0; }
size_t LargestAllocation() { return g_largestAllocation.load(); }

#ifdef LANTERN_ADDRESS_SANITIZER

// The sanitizer runtime calls these for every allocation it makes, operator new included.
extern "C" int __sanitizer_install_malloc_and_free_hooks(
    void (*malloc_hook)(const volatile void*, size_t), void (*free_hook)(const volatile void*));

namespace {

void OnMalloc(const volatile void*, size_t size) { NoteAllocation(size); }
void OnFree(const volatile void*) {}

const bool g_hooksInstalled = __sanitizer_install_malloc_and_free_hooks(OnMalloc, OnFree) != 0;

}  // namespace

#else

void* operator new(size_t size) {
  NoteAllocation(size);
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}
// Kept out of line so that the compiler pairs each delete with its new, not with free.
__attribute__((noinline)) void operator delete(void* memory) noexcept { std::free(memory); }
__attribute__((noinline)) void operator delete(void* memory, size_t) noexcept { std::free(memory); }

#endif
