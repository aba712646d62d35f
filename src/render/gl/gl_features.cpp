#include "render/gl/gl_features.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <string>
#include <unordered_set>

namespace {

std::unordered_set<std::string> ExtensionNames() {
  GLint count = 0;
  glGetIntegerv(GL_NUM_EXTENSIONS, &count);
  std::unordered_set<std::string> names;
  for (GLint i = 0; i < count; ++i) {
    if (const GLubyte* name = glGetStringi(GL_EXTENSIONS, static_cast<GLuint>(i))) {
      names.emplace(reinterpret_cast<const char*>(name));
    }
  }
  return names;
}

}  // namespace

bool GlVersionAtLeast(int wantedMajor, int wantedMinor) {
  GLint major = 0, minor = 0;
  glGetIntegerv(GL_MAJOR_VERSION, &major);
  glGetIntegerv(GL_MINOR_VERSION, &minor);
  return major > wantedMajor || (major == wantedMajor && minor >= wantedMinor);
}

bool IsSoftwareRendererName(std::string_view renderer) {
  for (std::string_view marker : {"llvmpipe", "softpipe", "Software"}) {
    if (renderer.find(marker) != std::string_view::npos) return true;
  }
  return false;
}

GlFeatures QueryGlFeatures() {
  const std::unordered_set<std::string> extensions = ExtensionNames();
  const auto has = [&extensions](const char* name) { return extensions.contains(name); };
  const GLubyte* renderer = glGetString(GL_RENDERER);

  GlFeatures features;
  features.softwareRenderer =
      renderer != nullptr && IsSoftwareRendererName(reinterpret_cast<const char*>(renderer));
  features.anisotropicFiltering = GlVersionAtLeast(4, 6) ||
                                  has("GL_ARB_texture_filter_anisotropic") ||
                                  has("GL_EXT_texture_filter_anisotropic");
  features.nvxMemoryInfo = has("GL_NVX_gpu_memory_info");
  features.atiMemoryInfo = has("GL_ATI_meminfo");
  return features;
}
