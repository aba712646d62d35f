// How the device's states become pipeline state, without OpenGL: vertex layouts, the
// program key, sampler settings and uniforms.
#include <gtest/gtest.h>

#include <bit>

#include "render/gl/fixed_function_key.h"
#include "render/gl/fixed_function_uniforms.h"
#include "render/state/fvf_layout.h"
#include "render/gl/stage_samplers.h"

namespace {

struct LayoutCase {
  DWORD fvf;
  uint32_t stride, diffuseOffset, firstTexCoordOffset;
};

TEST(FvfLayout, StridesAndOffsetsOfTheFormatsInUse) {
  const LayoutCase cases[] = {
      {0x142, 24, 12, 16},  // XYZ | DIFFUSE | TEX1
      {0x144, 28, 16, 20},  // XYZRHW | DIFFUSE | TEX1
      {0x104, 24, 0, 16},   // XYZRHW | TEX1
      {0x044, 20, 16, 0},   // XYZRHW | DIFFUSE
      {0x102, 20, 0, 12},   // XYZ | TEX1
      {0x042, 16, 12, 0},   // XYZ | DIFFUSE
      {0x242, 32, 12, 16},  // XYZ | DIFFUSE | TEX2
      {0x1D2, 40, 24, 32},  // XYZ | NORMAL | DIFFUSE | SPECULAR | TEX1
  };
  for (const LayoutCase& c : cases) {
    FvfLayout layout;
    ASSERT_TRUE(DescribeFvf(c.fvf, &layout)) << std::hex << c.fvf;
    EXPECT_EQ(layout.stride, c.stride) << std::hex << c.fvf;
    if (layout.hasDiffuse) {
      EXPECT_EQ(layout.diffuseOffset, c.diffuseOffset) << std::hex << c.fvf;
    }
    if (layout.texCoordSets > 0) {
      EXPECT_EQ(layout.texCoordOffsets[0], c.firstTexCoordOffset) << std::hex << c.fvf;
    }
    EXPECT_EQ(layout.pretransformed, (c.fvf & D3DFVF_POSITION_MASK) == D3DFVF_XYZRHW);
  }
}

TEST(FvfLayout, CoordinateSetSizesCountInTheStride) {
  // Two sets: the first of three floats (size bits 01), the second of one (11).
  FvfLayout layout;
  ASSERT_TRUE(DescribeFvf(0x242 | (0x1u << 16) | (0x3u << 18), &layout));
  EXPECT_EQ(layout.texCoordOffsets[1], 16u + 12u);
  EXPECT_EQ(layout.texCoordComponents[1], 1u);
  EXPECT_EQ(layout.stride, 16u + 12u + 4u);
}

TEST(FvfLayout, RefusesFormatsItCannotLayOut) {
  FvfLayout layout;
  for (DWORD fvf : {0x000u, 0x006u, 0x00Eu, 0x062u, 0x001u, 0x942u, 0x142u | (1u << 18)}) {
    EXPECT_FALSE(DescribeFvf(fvf, &layout)) << std::hex << fvf;
  }
}

FvfLayout Layout(DWORD fvf) {
  FvfLayout layout;
  EXPECT_TRUE(DescribeFvf(fvf, &layout));
  return layout;
}

constexpr std::array<bool, kBlendStageCount> kTextureOnStage0{true, false, false};

TEST(FixedFunctionKey, StatesPastTheEndOfTheCascadeLeaveNoTrace) {
  DeviceStates states;
  const FixedFunctionKey defaults = BuildFixedFunctionKey(states, Layout(0x142), kTextureOnStage0);
  // Stage 1 is disabled: what stage 2 holds does not matter, nor stage 1's arguments.
  states.SetTextureStageState(2, D3DTSS_COLOROP, D3DTOP_ADD);
  states.SetTextureStageState(1, D3DTSS_COLORARG1, D3DTA_DIFFUSE);
  // SELECTARG1 does not read its second argument.
  states.SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
  EXPECT_EQ(BuildFixedFunctionKey(states, Layout(0x142), kTextureOnStage0), defaults);
  states.SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_ADD);
  EXPECT_NE(BuildFixedFunctionKey(states, Layout(0x142), kTextureOnStage0), defaults);
}

TEST(StageSampler, FiltersAndMipLevels) {
  DeviceStates states;
  states.SetTextureStageState(0, D3DTSS_MINFILTER, D3DTFN_ANISOTROPIC);
  states.SetTextureStageState(0, D3DTSS_MIPFILTER, D3DTFP_LINEAR);
  SamplerSettings settings = DescribeStageSampler(states, 0, true, 16.0f);
  EXPECT_EQ(settings.minFilter, GL_LINEAR_MIPMAP_LINEAR);
  EXPECT_EQ(settings.magFilter, GL_NEAREST);
  EXPECT_EQ(settings.anisotropy, 16.0f);
  // A texture of one level is never sampled through mip levels.
  EXPECT_EQ(DescribeStageSampler(states, 0, false, 16.0f).minFilter, GL_LINEAR);
  states.SetTextureStageState(0, D3DTSS_MINFILTER, D3DTFN_POINT);
  states.SetTextureStageState(0, D3DTSS_MIPFILTER, D3DTFP_POINT);
  settings = DescribeStageSampler(states, 0, true, 16.0f);
  EXPECT_EQ(settings.minFilter, GL_NEAREST_MIPMAP_NEAREST);
  EXPECT_EQ(settings.anisotropy, 1.0f);
}

TEST(FixedFunctionUniforms, FogLineAndAlphaReference) {
  DeviceStates states;
  states.SetRenderState(D3DRENDERSTATE_FOGSTART, std::bit_cast<DWORD>(10.0f));
  states.SetRenderState(D3DRENDERSTATE_FOGEND, std::bit_cast<DWORD>(30.0f));
  states.SetRenderState(D3DRENDERSTATE_FOGCOLOR, 0xFF336699u);
  states.SetRenderState(D3DRENDERSTATE_ALPHAREF, 0x180);  // only the low byte counts
  const FixedFunctionUniforms uniforms = ComputeFixedFunctionUniforms(states, {0, 0, 4, 4}, 4);
  // f(d) = (30 - d) / 20
  EXPECT_FLOAT_EQ(uniforms.fogLine[0] - 20.0f * uniforms.fogLine[1], 0.5f);
  EXPECT_FLOAT_EQ(uniforms.fogLine[0] - 10.0f * uniforms.fogLine[1], 1.0f);
  EXPECT_FLOAT_EQ(uniforms.fogColor[1], 0x66 / 255.0f);
  EXPECT_EQ(uniforms.alphaReference, 128.0f);
}

}  // namespace
