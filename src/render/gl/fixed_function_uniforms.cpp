#include "render/gl/fixed_function_uniforms.h"

#include <bit>

#include "render/d3d/d3d_color.h"
#include "render/state/device_state_reading.h"

namespace {

// Stands in for 1 / (end - start) when fog starts and ends at the same distance: the
// factor then drops from 1 to 0 right there.
constexpr float kSteepestFogSlope = 1.0e6f;

std::array<float, 16> Elements(const D3DMATRIX& matrix) {
  return std::bit_cast<std::array<float, 16>>(matrix);
}

std::array<float, 4> PixelToNdc(const PixelRect& viewport, int32_t targetHeight) {
  const float x = static_cast<float>(viewport.x), y = static_cast<float>(viewport.y);
  const float width = static_cast<float>(viewport.width);
  const float height = static_cast<float>(viewport.height);
  // OpenGL's window x is the pixel x shifted; its window y counts up from the bottom:
  // H - (y + shift). NDC runs -1..1 across OpenGL's viewport rectangle.
  const float windowYAtZero = static_cast<float>(targetHeight) - kPixelCentreShift;
  return {2.0f / width, -2.0f / height, 2.0f * (kPixelCentreShift - x) / width - 1.0f,
          2.0f * (windowYAtZero - y) / height - 1.0f};
}

std::array<float, 2> FogLine(float start, float end) {
  const float range = end - start;
  const float slope = range != 0.0f ? 1.0f / range : kSteepestFogSlope;
  return {end * slope, slope};
}

}  // namespace

FixedFunctionUniforms ComputeFixedFunctionUniforms(const DeviceStates& states,
                                                   const PixelRect& glViewport,
                                                   int32_t targetHeight) {
  FixedFunctionUniforms uniforms;
  uniforms.worldViewProjection = Elements(WorldViewProjectionOf(states));
  uniforms.pixelToNdc = PixelToNdc(glViewport, targetHeight);

  for (DWORD stage = 0; stage < kBlendStageCount; ++stage) {
    const auto type = static_cast<D3DTRANSFORMSTATETYPE>(D3DTRANSFORMSTATE_TEXTURE0 + stage);
    uniforms.textureMatrices[stage] = Elements(TransformOf(states, type));
  }

  const std::array<float, 4> fog = ColorToRgba(RenderStateOf(states, D3DRENDERSTATE_FOGCOLOR));
  uniforms.fogColor = {fog[0], fog[1], fog[2]};
  uniforms.fogLine = FogLine(FloatRenderStateOf(states, D3DRENDERSTATE_FOGSTART),
                             FloatRenderStateOf(states, D3DRENDERSTATE_FOGEND));
  uniforms.alphaReference =
      static_cast<float>(RenderStateOf(states, D3DRENDERSTATE_ALPHAREF) & 0xFFu);
  return uniforms;
}
