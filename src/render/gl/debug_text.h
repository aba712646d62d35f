#pragma once
// Draws status text (such as the loading message) straight into the render target with a
// dedicated shader program, over the whole target whatever the device's viewport.
#include <GL/gl.h>
#include <GL/glext.h>

#include <memory>
#include <string_view>

#include "render/d3d/d3d_types.h"
#include "render/gl/gl_render_target.h"

class DebugTextRenderer {
 public:
  // Null when the shader program cannot be built.
  static std::unique_ptr<DebugTextRenderer> Create();
  ~DebugTextRenderer();
  DebugTextRenderer(const DebugTextRenderer&) = delete;
  DebugTextRenderer& operator=(const DebugTextRenderer&) = delete;

  // (left, top) in render-target pixels, y downward. Leaves OpenGL's state as it was.
  void Draw(const GlRenderTarget& target, float left, float top, D3DCOLOR color,
            std::string_view text);

 private:
  explicit DebugTextRenderer(GLuint program);

  GLuint program_;
  GLint targetSizeLocation_, colorLocation_;
  GLuint vertexArray_ = 0, vertexBuffer_ = 0;
};
