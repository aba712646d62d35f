#pragma once
// What the current OpenGL context offers beyond the 3.3 core that the layer requires.
#include <string_view>

struct GlFeatures {
  bool softwareRenderer = false;      // a CPU rasteriser (Mesa's llvmpipe or softpipe, ...)
  bool anisotropicFiltering = false;  // OpenGL 4.6 or one of the anisotropy extensions
  bool nvxMemoryInfo = false;         // GL_NVX_gpu_memory_info
  bool atiMemoryInfo = false;         // GL_ATI_meminfo
};

// Asks the current context.
GlFeatures QueryGlFeatures();

// Whether the current context's version is at least major.minor.
bool GlVersionAtLeast(int major, int minor);

// Whether a GL_RENDERER string names a software rasteriser.
bool IsSoftwareRendererName(std::string_view renderer);
