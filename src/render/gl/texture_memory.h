#pragma once
// How much memory there is for textures, from the best source the context offers.
#include <cstdint>

#include "render/gl/gl_features.h"

struct TextureMemory {
  uint64_t totalBytes = 0;
  uint64_t freeBytes = 0;
};

// GL_NVX_gpu_memory_info's dedicated totals when the context has it, else
// GL_ATI_meminfo's free texture pool (its total is not known, so it is reported as the
// total too), else the machine's memory, which a software rasteriser or a shared-memory
// GPU draws textures from.
TextureMemory QueryTextureMemory(const GlFeatures& features);
