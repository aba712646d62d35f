#pragma once
// GLSL 3.30 source of the program that draws with a fixed-function key. The interface
// the generated code expects from the draw side:
//   attributes: 0 position (XYZ, w read as 1, or XYZRHW), 1 diffuse (RGBA, normalised),
//               2 + n texture coordinate set n;
//   uniforms:   worldViewProjection, pixelToNdc, textureMatrix<stage>, stageTexture<stage>,
//               fogColor, fogLine, alphaReference (see fixed_function_uniforms.h).
// A uniform or attribute that a key does not need is left out of its source.
#include <string>

#include "render/gl/fixed_function_key.h"

constexpr unsigned kPositionAttribute = 0;
constexpr unsigned kDiffuseAttribute = 1;
constexpr unsigned kFirstTexCoordAttribute = 2;

std::string GenerateVertexShader(const FixedFunctionKey& key);
std::string GenerateFragmentShader(const FixedFunctionKey& key);
