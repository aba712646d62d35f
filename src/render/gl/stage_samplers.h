#pragma once
// One OpenGL sampler object per texture stage, carrying the stage's addressing and
// filtering states. Parameters are set only when they change.
#include <GL/gl.h>
#include <GL/glext.h>

#include <array>
#include <optional>

#include "render/state/device_states.h"
#include "render/gl/fixed_function_key.h"

struct SamplerSettings {
  GLint wrapS = GL_REPEAT, wrapT = GL_REPEAT;
  GLint magFilter = GL_NEAREST, minFilter = GL_NEAREST;
  float anisotropy = 1.0f;

  bool operator==(const SamplerSettings&) const = default;
};

// ADDRESSU and ADDRESSV (WRAP, MIRROR, CLAMP; anything else wraps); MAGFILTER and
// MINFILTER point or linear, anisotropic being linear with `maxAnisotropy`; MIPFILTER
// none, point or linear, used only when the texture has more than one level.
SamplerSettings DescribeStageSampler(const DeviceStates& states, DWORD stage,
                                     bool textureHasMipLevels, float maxAnisotropy);

class StageSamplers {
 public:
  // `anisotropySupported`: whether OpenGL takes GL_TEXTURE_MAX_ANISOTROPY at all.
  explicit StageSamplers(bool anisotropySupported);
  ~StageSamplers();
  StageSamplers(const StageSamplers&) = delete;
  StageSamplers& operator=(const StageSamplers&) = delete;

  GLuint sampler(DWORD stage) const { return samplers_[stage]; }
  void Apply(DWORD stage, const SamplerSettings& settings);

 private:
  bool anisotropySupported_;
  std::array<GLuint, kBlendStageCount> samplers_{};
  std::array<std::optional<SamplerSettings>, kBlendStageCount> applied_;
};
