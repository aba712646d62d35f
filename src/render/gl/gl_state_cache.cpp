#include "render/gl/gl_state_cache.h"

namespace {

// Stores `wanted` and answers true when it differs from what is cached.
template <typename T>
bool Update(std::optional<T>& cached, const T& wanted) {
  if (cached == wanted) return false;
  cached = wanted;
  return true;
}

}  // namespace

void GlStateCache::Forget() { *this = GlStateCache(); }

void GlStateCache::SetCapability(GLenum capability, std::optional<bool>& cached, bool enabled) {
  if (!Update(cached, enabled)) return;
  if (enabled) {
    glEnable(capability);
  } else {
    glDisable(capability);
  }
}

void GlStateCache::Apply(const RasterState& state) {
  SetCapability(GL_BLEND, blend_, state.blend);
  if (state.blend && Update(blendFunction_, {state.sourceBlend, state.destinationBlend})) {
    glBlendFunc(state.sourceBlend, state.destinationBlend);
  }
  SetCapability(GL_DEPTH_TEST, depthTest_, state.depthTest);
  if (state.depthTest) {
    if (Update(depthFunction_, state.depthFunction)) glDepthFunc(state.depthFunction);
    if (Update(depthWrite_, state.depthWrite)) glDepthMask(state.depthWrite ? GL_TRUE : GL_FALSE);
  }
  SetCapability(GL_CULL_FACE, cull_, state.cull);
  if (state.cull) {
    // Back faces are the ones culled; the winding of front faces decides which they are.
    if (!frontFace_) glCullFace(GL_BACK);
    if (Update(frontFace_, state.frontFace)) glFrontFace(state.frontFace);
  }
  if (Update(polygonMode_, state.polygonMode)) glPolygonMode(GL_FRONT_AND_BACK, state.polygonMode);
}

void GlStateCache::UseProgram(GLuint program) {
  if (Update(program_, program)) glUseProgram(program);
}

void GlStateCache::BindVertexArray(GLuint vertexArray) {
  if (Update(vertexArray_, vertexArray)) glBindVertexArray(vertexArray);
}

void GlStateCache::BindArrayBuffer(GLuint buffer) {
  if (Update(arrayBuffer_, buffer)) glBindBuffer(GL_ARRAY_BUFFER, buffer);
}

void GlStateCache::BindTexture(GLuint unit, GLuint texture) {
  if (!Update(textures_[unit], texture)) return;
  glActiveTexture(GL_TEXTURE0 + unit);
  glBindTexture(GL_TEXTURE_2D, texture);
  glActiveTexture(GL_TEXTURE0 + kSpareTextureUnit);
}

void GlStateCache::BindSampler(GLuint unit, GLuint sampler) {
  if (Update(samplers_[unit], sampler)) glBindSampler(unit, sampler);
}

void GlStateCache::ForgetTexture(GLuint unit) { textures_[unit].reset(); }
