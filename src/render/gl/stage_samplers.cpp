#include "render/gl/stage_samplers.h"

#include "render/state/device_state_reading.h"

namespace {

GLint WrapMode(DWORD address) {
  switch (address) {
    case D3DTADDRESS_MIRROR: return GL_MIRRORED_REPEAT;
    case D3DTADDRESS_CLAMP: return GL_CLAMP_TO_EDGE;
    default: return GL_REPEAT;
  }
}

bool IsLinear(DWORD filter, DWORD linear, DWORD anisotropic) {
  return filter == linear || filter == anisotropic;
}

// OpenGL's minification filter names the texel filter and the mip filter together.
GLint MinFilter(bool linear, DWORD mipFilter) {
  switch (mipFilter) {
    case D3DTFP_POINT: return linear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
    case D3DTFP_LINEAR: return linear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
    default: return linear ? GL_LINEAR : GL_NEAREST;
  }
}

template <typename T, typename Set>
void SetIfChanged(const std::optional<SamplerSettings>& applied, T SamplerSettings::*field,
                  const SamplerSettings& wanted, Set set) {
  if (!applied || (*applied).*field != wanted.*field) set(wanted.*field);
}

}  // namespace

SamplerSettings DescribeStageSampler(const DeviceStates& states, DWORD stage,
                                     bool textureHasMipLevels, float maxAnisotropy) {
  const DWORD magFilter = StageStateOf(states, stage, D3DTSS_MAGFILTER);
  const DWORD minFilter = StageStateOf(states, stage, D3DTSS_MINFILTER);
  const DWORD mipFilter =
      textureHasMipLevels ? StageStateOf(states, stage, D3DTSS_MIPFILTER) : D3DTFP_NONE;
  SamplerSettings settings;
  settings.wrapS = WrapMode(StageStateOf(states, stage, D3DTSS_ADDRESSU));
  settings.wrapT = WrapMode(StageStateOf(states, stage, D3DTSS_ADDRESSV));
  settings.magFilter =
      IsLinear(magFilter, D3DTFG_LINEAR, D3DTFG_ANISOTROPIC) ? GL_LINEAR : GL_NEAREST;
  settings.minFilter = MinFilter(IsLinear(minFilter, D3DTFN_LINEAR, D3DTFN_ANISOTROPIC), mipFilter);
  if (magFilter == D3DTFG_ANISOTROPIC || minFilter == D3DTFN_ANISOTROPIC) {
    settings.anisotropy = maxAnisotropy;
  }
  return settings;
}

StageSamplers::StageSamplers(bool anisotropySupported) : anisotropySupported_(anisotropySupported) {
  glGenSamplers(static_cast<GLsizei>(samplers_.size()), samplers_.data());
}

StageSamplers::~StageSamplers() {
  glDeleteSamplers(static_cast<GLsizei>(samplers_.size()), samplers_.data());
}

void StageSamplers::Apply(DWORD stage, const SamplerSettings& settings) {
  std::optional<SamplerSettings>& applied = applied_[stage];
  if (applied == settings) return;
  const GLuint sampler = samplers_[stage];
  const auto setInteger = [sampler](GLenum name) {
    return [sampler, name](GLint value) { glSamplerParameteri(sampler, name, value); };
  };
  SetIfChanged(applied, &SamplerSettings::wrapS, settings, setInteger(GL_TEXTURE_WRAP_S));
  SetIfChanged(applied, &SamplerSettings::wrapT, settings, setInteger(GL_TEXTURE_WRAP_T));
  SetIfChanged(applied, &SamplerSettings::magFilter, settings, setInteger(GL_TEXTURE_MAG_FILTER));
  SetIfChanged(applied, &SamplerSettings::minFilter, settings, setInteger(GL_TEXTURE_MIN_FILTER));
  if (anisotropySupported_) {
    SetIfChanged(applied, &SamplerSettings::anisotropy, settings, [sampler](float value) {
      glSamplerParameterf(sampler, GL_TEXTURE_MAX_ANISOTROPY, value);
    });
  }
  applied = settings;
}
