#include "render/gl/texture_memory.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <array>

#include "base/memory_status.h"

namespace {

constexpr uint64_t kBytesPerKiB = 1024;

uint64_t KiBToBytes(GLint kib) { return static_cast<uint64_t>(std::max(kib, 0)) * kBytesPerKiB; }

uint64_t QueryBytes(GLenum kibQuery) {
  GLint kib = 0;
  glGetIntegerv(kibQuery, &kib);
  return KiBToBytes(kib);
}

}  // namespace

TextureMemory QueryTextureMemory(const GlFeatures& features) {
  if (features.nvxMemoryInfo) {
    return {QueryBytes(GL_GPU_MEMORY_INFO_TOTAL_AVAILABLE_MEMORY_NVX),
            QueryBytes(GL_GPU_MEMORY_INFO_CURRENT_AVAILABLE_VIDMEM_NVX)};
  }
  if (features.atiMemoryInfo) {
    // Free KiB of the pool, its largest block, then the same two for auxiliary memory.
    std::array<GLint, 4> pool{};
    glGetIntegerv(GL_TEXTURE_FREE_MEMORY_ATI, pool.data());
    const uint64_t freeBytes = KiBToBytes(pool[0]);
    return {freeBytes, freeBytes};
  }
  const MemoryStatus machine = ReadMemoryStatus();
  return {machine.totalPhysicalKiB * kBytesPerKiB, machine.availablePhysicalKiB * kBytesPerKiB};
}
