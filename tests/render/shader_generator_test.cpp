// Every kind of key gives source that compiles and links: the operations and arguments,
// the alpha test functions, fog, pre-transformed vertices, coordinate sets and texture
// transforms on all three stages.
#include "render/gl/shader_generator.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/context_fixture.h"
#include "render/gl/fixed_function_program.h"

namespace {

StageKey Stage(StageOp op, StageArg arg1, StageArg arg2) {
  StageKey stage;
  stage.colorOp = stage.alphaOp = op;
  stage.colorArg1 = stage.alphaArg1 = arg1;
  stage.colorArg2 = stage.alphaArg2 = arg2;
  stage.sampled = arg1 == StageArg::Texture || arg2 == StageArg::Texture;
  return stage;
}

std::vector<FixedFunctionKey> KeysOfEveryKind() {
  std::vector<FixedFunctionKey> keys;
  for (StageOp op : {StageOp::SelectArg1, StageOp::SelectArg2, StageOp::Modulate,
                     StageOp::Modulate2x, StageOp::Add}) {
    for (StageArg arg :
         {StageArg::Diffuse, StageArg::Current, StageArg::Texture, StageArg::White}) {
      FixedFunctionKey key;
      key.hasDiffuse = 1;
      key.stages[0] = Stage(op, StageArg::Texture, StageArg::Diffuse);
      key.stages[1] = Stage(op, arg, StageArg::Current);
      keys.push_back(key);
    }
  }
  for (uint8_t function = D3DCMP_NEVER; function < D3DCMP_ALWAYS; ++function) {
    FixedFunctionKey key;
    key.stages[0] = Stage(StageOp::SelectArg2, StageArg::Diffuse, StageArg::Diffuse);
    key.alphaTest = function;
    key.fog = 1;
    keys.push_back(key);
  }
  FixedFunctionKey allStages;
  for (uint8_t stage = 0; stage < kBlendStageCount; ++stage) {
    allStages.stages[stage] = Stage(StageOp::Modulate, StageArg::Texture, StageArg::Current);
    allStages.stages[stage].texCoordSet = stage == 2 ? kNoTexCoordSet : 7 - stage;
    allStages.stages[stage].transformed = 1;
  }
  keys.push_back(allStages);
  for (uint8_t stage = 0; stage < kBlendStageCount; ++stage) {
    allStages.stages[stage].transformed = 0;
  }
  allStages.pretransformed = 1;
  keys.push_back(allStages);
  keys.push_back(FixedFunctionKey{});  // everything disabled
  return keys;
}

using ShaderGeneratorTest = ContextFixture;

TEST_F(ShaderGeneratorTest, EveryKindOfKeyBuildsAProgram) {
  for (const FixedFunctionKey& key : KeysOfEveryKind()) {
    const FixedFunctionProgram program(key);
    EXPECT_NE(program.name(), 0u) << GenerateVertexShader(key) << GenerateFragmentShader(key);
  }
}

}  // namespace
