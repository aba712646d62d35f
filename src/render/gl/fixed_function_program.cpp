#include "render/gl/fixed_function_program.h"

#include <string>

#include "render/gl/gl_program.h"
#include "render/gl/shader_generator.h"

namespace {

GLint StageUniform(GLuint program, const char* prefix, DWORD stage) {
  return glGetUniformLocation(program, (prefix + std::to_string(stage)).c_str());
}

// Whether `group` needs uploading: on first use, or when it changed.
template <typename T>
bool Differs(const std::optional<FixedFunctionUniforms>& uploaded, T FixedFunctionUniforms::*group,
             const FixedFunctionUniforms& values) {
  return !uploaded || (*uploaded).*group != values.*group;
}

}  // namespace

FixedFunctionProgram::FixedFunctionProgram(const FixedFunctionKey& key)
    : program_(
          BuildGlProgram(GenerateVertexShader(key).c_str(), GenerateFragmentShader(key).c_str())),
      worldViewProjection_(glGetUniformLocation(program_, "worldViewProjection")),
      pixelToNdc_(glGetUniformLocation(program_, "pixelToNdc")),
      fogColor_(glGetUniformLocation(program_, "fogColor")),
      fogLine_(glGetUniformLocation(program_, "fogLine")),
      alphaReference_(glGetUniformLocation(program_, "alphaReference")) {
  for (DWORD stage = 0; stage < kBlendStageCount; ++stage) {
    textureMatrices_[stage] = StageUniform(program_, "textureMatrix", stage);
    stageTextures_[stage] = StageUniform(program_, "stageTexture", stage);
  }
}

FixedFunctionProgram::~FixedFunctionProgram() { glDeleteProgram(program_); }

void FixedFunctionProgram::Upload(const FixedFunctionUniforms& values) {
  if (!uploaded_) {
    // Each stage samples the texture unit of its own number.
    for (DWORD stage = 0; stage < kBlendStageCount; ++stage) {
      glUniform1i(stageTextures_[stage], static_cast<GLint>(stage));
    }
  }
  if (Differs(uploaded_, &FixedFunctionUniforms::worldViewProjection, values)) {
    glUniformMatrix4fv(worldViewProjection_, 1, GL_FALSE, values.worldViewProjection.data());
  }
  if (Differs(uploaded_, &FixedFunctionUniforms::pixelToNdc, values)) {
    glUniform4fv(pixelToNdc_, 1, values.pixelToNdc.data());
  }
  if (Differs(uploaded_, &FixedFunctionUniforms::textureMatrices, values)) {
    for (DWORD stage = 0; stage < kBlendStageCount; ++stage) {
      glUniformMatrix4fv(textureMatrices_[stage], 1, GL_FALSE,
                         values.textureMatrices[stage].data());
    }
  }
  if (Differs(uploaded_, &FixedFunctionUniforms::fogColor, values)) {
    glUniform3fv(fogColor_, 1, values.fogColor.data());
  }
  if (Differs(uploaded_, &FixedFunctionUniforms::fogLine, values)) {
    glUniform2fv(fogLine_, 1, values.fogLine.data());
  }
  if (Differs(uploaded_, &FixedFunctionUniforms::alphaReference, values)) {
    glUniform1f(alphaReference_, values.alphaReference);
  }
  uploaded_ = values;
}
