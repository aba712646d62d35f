#pragma once
// The part of the device's state that decides which shader program draws: the vertex
// format, what each texture stage computes and from what, fog and the alpha test. Two
// states that draw alike give equal keys, so that the program cache stays small: what a
// stage after the end of the cascade holds, or an argument its operation does not read,
// leaves no trace in the key.
#include <array>
#include <cstddef>
#include <cstdint>

#include "render/state/device_states.h"
#include "render/state/fvf_layout.h"

// Texture stages that take part in drawing.
constexpr DWORD kBlendStageCount = 3;

// What a stage does with its two arguments; Disabled ends the cascade.
enum class StageOp : uint8_t { Disabled, SelectArg1, SelectArg2, Modulate, Modulate2x, Add };
// Texture stands for a bound texture only; an unbound one, and any argument the device
// does not know, reads opaque white.
enum class StageArg : uint8_t { Diffuse, Current, Texture, White };

constexpr uint8_t kNoTexCoordSet = 0xFF;  // the vertex lacks the set: (0, 0) is read

struct StageKey {
  StageOp colorOp = StageOp::Disabled;
  StageArg colorArg1 = StageArg::Diffuse, colorArg2 = StageArg::Diffuse;
  StageOp alphaOp = StageOp::Disabled;
  StageArg alphaArg1 = StageArg::Diffuse, alphaArg2 = StageArg::Diffuse;
  uint8_t texCoordSet = 0;  // meaningful only when sampled
  uint8_t sampled = 0;      // an argument reads the stage's texture
  uint8_t transformed = 0;  // its coordinates go through the stage's texture matrix

  bool operator==(const StageKey&) const = default;
};

struct FixedFunctionKey {
  uint8_t pretransformed = 0;
  uint8_t hasDiffuse = 0;
  std::array<StageKey, kBlendStageCount> stages{};
  uint8_t fog = 0;        // linear table fog
  uint8_t alphaTest = 0;  // the D3DCMP function a fragment's alpha must pass; 0 for none

  bool operator==(const FixedFunctionKey&) const = default;
};

struct FixedFunctionKeyHash {
  size_t operator()(const FixedFunctionKey& key) const;
};

// `textureBound[stage]` tells whether a texture is set on the stage.
FixedFunctionKey BuildFixedFunctionKey(const DeviceStates& states, const FvfLayout& layout,
                                       const std::array<bool, kBlendStageCount>& textureBound);
