#pragma once
// Captures the OpenGL state that the layer's own operations (clearing, presenting, the
// debug text) change, and puts it back when it goes out of scope, so that those
// operations leave the pipeline exactly as the device had set it.
#include <GL/gl.h>
#include <GL/glext.h>

#include <array>

class SavedGlState {
 public:
  SavedGlState();
  ~SavedGlState();
  SavedGlState(const SavedGlState&) = delete;
  SavedGlState& operator=(const SavedGlState&) = delete;

 private:
  GLint drawFramebuffer_ = 0, readFramebuffer_ = 0;
  std::array<GLint, 4> viewport_{}, scissorBox_{};
  std::array<GLboolean, 4> colorMask_{};
  GLboolean depthMask_ = GL_TRUE;
  GLint stencilMask_ = 0, stencilBackMask_ = 0;
  std::array<GLfloat, 4> clearColor_{};
  GLfloat clearDepth_ = 1.0f;
  GLint clearStencil_ = 0;
  GLint program_ = 0, vertexArray_ = 0, arrayBuffer_ = 0;
  GLboolean scissorTest_ = GL_FALSE, blend_ = GL_FALSE, depthTest_ = GL_FALSE,
            cullFace_ = GL_FALSE, stencilTest_ = GL_FALSE;
};
