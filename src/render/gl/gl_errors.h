#pragma once
// Discards errors left by earlier OpenGL calls, so that the next glGetError speaks of the
// calls that follow. Used around allocations whose failure must be reported.
#include <GL/gl.h>

inline void DrainGlErrors() {
  while (glGetError() != GL_NO_ERROR) {
  }
}
