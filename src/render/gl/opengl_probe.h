#pragma once
// Finds out which OpenGL renderer a context created now would run on.
#include <optional>
#include <string>

#include "render/gl/gl_features.h"

struct ProbedRenderer {
  std::string name;  // GL_RENDERER
  GlFeatures features;
};

// Creates a hidden window with an OpenGL 3.3 core context, asks it, and destroys both; the
// context current before the call is current again afterwards. Starts SDL's video
// subsystem for the duration when nothing else has. Empty when no such context can be had.
std::optional<ProbedRenderer> ProbeOpenGlRenderer();
