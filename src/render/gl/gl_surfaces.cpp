#include "render/gl/gl_surfaces.h"

#include <algorithm>
#include <limits>

#include "render/gl/texture_memory.h"

namespace {

DWORD ClampToDword(uint64_t bytes) {
  return static_cast<DWORD>(std::min<uint64_t>(bytes, std::numeric_limits<DWORD>::max()));
}

}  // namespace

HRESULT GlDirectDraw::GetAvailableVidMem(const DDSCAPS2* caps, DWORD* total, DWORD* free) {
  if (caps == nullptr) return DDERR_INVALIDPARAMS;
  const TextureMemory memory = QueryTextureMemory(shared_->features);
  if (total != nullptr) *total = ClampToDword(memory.totalBytes);
  if (free != nullptr) *free = ClampToDword(memory.freeBytes);
  return DD_OK;
}

// Presentation finishes inside UpdateFrame, so no blit is ever still in progress.
HRESULT GlPrimarySurface::GetBltStatus(DWORD) { return DD_OK; }
