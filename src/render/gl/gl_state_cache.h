#pragma once
// The OpenGL state the device draws with, as last set through this cache: a request that
// matches it makes no OpenGL call. Everything starts unknown and is set on first request;
// Forget() makes it unknown again, for when other code may have changed OpenGL state.
#include <GL/gl.h>
#include <GL/glext.h>

#include <array>
#include <optional>

#include "render/gl/fixed_function_key.h"
#include "render/gl/raster_state.h"

class GlStateCache {
 public:
  // Texture bindings are made on units 0..kBlendStageCount-1; the active unit is left on
  // this one afterwards, so that code binding a texture to work on it, without choosing
  // a unit, does not disturb what the stages sample.
  static constexpr GLuint kSpareTextureUnit = kBlendStageCount;

  void Forget();

  void Apply(const RasterState& state);
  void UseProgram(GLuint program);
  void BindVertexArray(GLuint vertexArray);
  void BindArrayBuffer(GLuint buffer);
  // Leaves the spare unit active.
  void BindTexture(GLuint unit, GLuint texture);
  void BindSampler(GLuint unit, GLuint sampler);
  // Marks `unit`'s binding unknown: its texture may have been deleted and its name reused.
  void ForgetTexture(GLuint unit);

 private:
  void SetCapability(GLenum capability, std::optional<bool>& cached, bool enabled);

  std::optional<bool> blend_, depthTest_, cull_, depthWrite_;
  std::optional<std::array<GLenum, 2>> blendFunction_;
  std::optional<GLenum> depthFunction_, frontFace_, polygonMode_;
  std::optional<GLuint> program_, vertexArray_, arrayBuffer_;
  std::array<std::optional<GLuint>, kBlendStageCount> textures_, samplers_;
};
