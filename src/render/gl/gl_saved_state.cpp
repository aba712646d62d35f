#include "render/gl/gl_saved_state.h"

namespace {

void SetEnabled(GLenum capability, GLboolean enabled) {
  if (enabled) {
    glEnable(capability);
  } else {
    glDisable(capability);
  }
}

}  // namespace

SavedGlState::SavedGlState() {
  glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &drawFramebuffer_);
  glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &readFramebuffer_);
  glGetIntegerv(GL_VIEWPORT, viewport_.data());
  glGetIntegerv(GL_SCISSOR_BOX, scissorBox_.data());
  glGetBooleanv(GL_COLOR_WRITEMASK, colorMask_.data());
  glGetBooleanv(GL_DEPTH_WRITEMASK, &depthMask_);
  glGetIntegerv(GL_STENCIL_WRITEMASK, &stencilMask_);
  glGetIntegerv(GL_STENCIL_BACK_WRITEMASK, &stencilBackMask_);
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColor_.data());
  glGetFloatv(GL_DEPTH_CLEAR_VALUE, &clearDepth_);
  glGetIntegerv(GL_STENCIL_CLEAR_VALUE, &clearStencil_);
  glGetIntegerv(GL_CURRENT_PROGRAM, &program_);
  glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &vertexArray_);
  glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &arrayBuffer_);
  scissorTest_ = glIsEnabled(GL_SCISSOR_TEST);
  blend_ = glIsEnabled(GL_BLEND);
  depthTest_ = glIsEnabled(GL_DEPTH_TEST);
  cullFace_ = glIsEnabled(GL_CULL_FACE);
  stencilTest_ = glIsEnabled(GL_STENCIL_TEST);
}

SavedGlState::~SavedGlState() {
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(drawFramebuffer_));
  glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(readFramebuffer_));
  glViewport(viewport_[0], viewport_[1], viewport_[2], viewport_[3]);
  glScissor(scissorBox_[0], scissorBox_[1], scissorBox_[2], scissorBox_[3]);
  glColorMask(colorMask_[0], colorMask_[1], colorMask_[2], colorMask_[3]);
  glDepthMask(depthMask_);
  glStencilMaskSeparate(GL_FRONT, static_cast<GLuint>(stencilMask_));
  glStencilMaskSeparate(GL_BACK, static_cast<GLuint>(stencilBackMask_));
  glClearColor(clearColor_[0], clearColor_[1], clearColor_[2], clearColor_[3]);
  glClearDepth(clearDepth_);
  glClearStencil(clearStencil_);
  glUseProgram(static_cast<GLuint>(program_));
  glBindVertexArray(static_cast<GLuint>(vertexArray_));
  glBindBuffer(GL_ARRAY_BUFFER, static_cast<GLuint>(arrayBuffer_));
  SetEnabled(GL_SCISSOR_TEST, scissorTest_);
  SetEnabled(GL_BLEND, blend_);
  SetEnabled(GL_DEPTH_TEST, depthTest_);
  SetEnabled(GL_CULL_FACE, cullFace_);
  SetEnabled(GL_STENCIL_TEST, stencilTest_);
}
