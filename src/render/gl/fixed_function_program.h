#pragma once
// A linked program for one fixed-function key, with its uniform locations and the values
// it last received, so that only what changed is uploaded again.
#include <GL/gl.h>
#include <GL/glext.h>

#include <array>
#include <optional>

#include "render/gl/fixed_function_key.h"
#include "render/gl/fixed_function_uniforms.h"

class FixedFunctionProgram {
 public:
  // Compiles and links the program for `key`; name() is 0 when that fails.
  explicit FixedFunctionProgram(const FixedFunctionKey& key);
  ~FixedFunctionProgram();
  FixedFunctionProgram(const FixedFunctionProgram&) = delete;
  FixedFunctionProgram& operator=(const FixedFunctionProgram&) = delete;

  GLuint name() const { return program_; }

  // Uploads the values that differ from the last upload. The program must be in use.
  void Upload(const FixedFunctionUniforms& values);

 private:
  GLuint program_;
  // -1 for a uniform the program does not have (OpenGL then ignores the upload).
  GLint worldViewProjection_, pixelToNdc_, fogColor_, fogLine_, alphaReference_;
  std::array<GLint, kBlendStageCount> textureMatrices_{}, stageTextures_{};
  std::optional<FixedFunctionUniforms> uploaded_;
};
