#pragma once
// The uniform values of the fixed-function programs, computed from the device's states.
// Matrices keep D3D's row-major order (see shader_generator.cpp for how GLSL reads them).
#include <array>
#include <cstdint>

#include "render/state/device_states.h"
#include "render/gl/fixed_function_key.h"
#include "render/state/target_geometry.h"

// Pre-transformed vertices are moved this far right and down, in pixels, on their way to
// OpenGL: D3D samples a pixel at its integer coordinates, OpenGL half a pixel further on.
// Staying just short of a half keeps pixel centres off the edges of pixel-aligned
// primitives, so that a quad from (0, 0) to (W, H) covers each pixel exactly once.
constexpr float kPixelCentreShift = 0.5f - 1.0f / 128.0f;

struct FixedFunctionUniforms {
  std::array<float, 16> worldViewProjection{};
  // Pre-transformed x, y (pixels, y downward) to normalised device coordinates:
  // ndc = xy * scale + offset, as (scale.x, scale.y, offset.x, offset.y).
  std::array<float, 4> pixelToNdc{};
  std::array<std::array<float, 16>, kBlendStageCount> textureMatrices{};
  std::array<float, 3> fogColor{};
  // Linear fog factor f = fogLine[0] - distance * fogLine[1].
  std::array<float, 2> fogLine{};
  float alphaReference = 0.0f;  // 0 to 255
};

// `glViewport` is the device's viewport in OpenGL's rows; pre-transformed positions are
// absolute target pixels whatever the viewport, which only confines them.
FixedFunctionUniforms ComputeFixedFunctionUniforms(const DeviceStates& states,
                                                   const PixelRect& glViewport,
                                                   int32_t targetHeight);
