#include "render/gl/debug_text.h"

#include <vector>

#include "render/d3d/d3d_color.h"
#include "render/d3dx/debug_text_layout.h"
#include "render/gl/gl_program.h"
#include "render/gl/gl_saved_state.h"

namespace {

// Positions arrive in render-target pixels with y downward; the target's top row is
// OpenGL's highest, so y is turned upward on the way to clip space.
constexpr const char* kVertexShader = R"(#version 330 core
layout(location = 0) in vec2 pixel;
uniform vec2 targetSize;
void main() {
  vec2 unit = pixel / targetSize;
  gl_Position = vec4(unit.x * 2.0 - 1.0, 1.0 - unit.y * 2.0, 0.0, 1.0);
}
)";

constexpr const char* kFragmentShader = R"(#version 330 core
uniform vec4 color;
out vec4 fragmentColor;
void main() { fragmentColor = color; }
)";

constexpr GLuint kPixelAttribute = 0;

}  // namespace

std::unique_ptr<DebugTextRenderer> DebugTextRenderer::Create() {
  const GLuint program = BuildGlProgram(kVertexShader, kFragmentShader);
  if (program == 0) return nullptr;
  return std::unique_ptr<DebugTextRenderer>(new DebugTextRenderer(program));
}

DebugTextRenderer::DebugTextRenderer(GLuint program)
    : program_(program),
      targetSizeLocation_(glGetUniformLocation(program, "targetSize")),
      colorLocation_(glGetUniformLocation(program, "color")) {
  GLint previousVertexArray = 0, previousArrayBuffer = 0;
  glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &previousVertexArray);
  glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &previousArrayBuffer);
  glGenVertexArrays(1, &vertexArray_);
  glGenBuffers(1, &vertexBuffer_);
  glBindVertexArray(vertexArray_);
  glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
  glEnableVertexAttribArray(kPixelAttribute);
  glVertexAttribPointer(kPixelAttribute, 2, GL_FLOAT, GL_FALSE, 2 * sizeof(float), nullptr);
  glBindVertexArray(static_cast<GLuint>(previousVertexArray));
  glBindBuffer(GL_ARRAY_BUFFER, static_cast<GLuint>(previousArrayBuffer));
}

DebugTextRenderer::~DebugTextRenderer() {
  glDeleteProgram(program_);
  glDeleteVertexArrays(1, &vertexArray_);
  glDeleteBuffers(1, &vertexBuffer_);
}

void DebugTextRenderer::Draw(const GlRenderTarget& target, float left, float top,
                             D3DCOLOR color, std::string_view text) {
  const std::vector<float> corners = LayoutDebugText(left, top, text);
  if (corners.empty()) return;

  SavedGlState saved;
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, target.framebuffer());
  const GLsizei width = static_cast<GLsizei>(target.width());
  const GLsizei height = static_cast<GLsizei>(target.height());
  glViewport(0, 0, width, height);
  glDisable(GL_SCISSOR_TEST);
  glDisable(GL_BLEND);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glDisable(GL_STENCIL_TEST);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);

  glUseProgram(program_);
  glUniform2f(targetSizeLocation_, static_cast<float>(width), static_cast<float>(height));
  const std::array<float, 4> rgba = ColorToRgba(color);
  glUniform4f(colorLocation_, rgba[0], rgba[1], rgba[2], rgba[3]);
  glBindVertexArray(vertexArray_);
  glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(corners.size() * sizeof(float)),
               corners.data(), GL_STREAM_DRAW);
  glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(corners.size() / 2));
}
