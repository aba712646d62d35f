#pragma once
// The OpenGL side of drawing: turns the device's states into a program, uniforms,
// textures, samplers and fixed-function state, and issues draws from client memory
// (streamed through one dynamic vertex buffer and one dynamic index buffer) or from
// vertex buffers. OpenGL calls are made only for what changed since the last draw.
#include <GL/gl.h>
#include <GL/glext.h>

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "render/state/device_states.h"
#include "render/state/draw_checks.h"
#include "render/state/fvf_layout.h"
#include "render/gl/gl_features.h"
#include "render/gl/gl_state_cache.h"
#include "render/gl/gl_texture.h"
#include "render/gl/gl_vertex_buffer.h"
#include "render/gl/shader_cache.h"
#include "render/gl/stage_samplers.h"
#include "render/gl/stream_buffer.h"
#include "render/state/target_geometry.h"

// What a draw is set up from, besides the vertex format.
struct PipelineInputs {
  const DeviceStates& states;
  // The textures of the blending stages; null where none is set.
  std::span<GlTexture* const, kBlendStageCount> textures;
  PixelRect glViewport;  // the device's viewport in OpenGL's rows
  int32_t targetHeight;
};

class FixedFunctionPipeline {
 public:
  explicit FixedFunctionPipeline(const GlFeatures& features);
  ~FixedFunctionPipeline();
  FixedFunctionPipeline(const FixedFunctionPipeline&) = delete;
  FixedFunctionPipeline& operator=(const FixedFunctionPipeline&) = delete;

  // OpenGL's state may have been changed by other code: set everything again.
  void ForgetGlState() { gl_.Forget(); }
  // The texture bound for `stage` may be gone and its name reused.
  void ForgetTexture(DWORD stage) { gl_.ForgetTexture(stage); }

  // Sets OpenGL up to draw vertices of `layout` with the given states. False when the
  // program for them cannot be built.
  bool Prepare(const PipelineInputs& inputs, const FvfLayout& layout);

  // Draws `vertexCount` vertices (of the layout last prepared) from client memory. The
  // caller has checked the counts and that every index is below `vertexCount`. False
  // when OpenGL cannot take the data.
  bool DrawFromMemory(GLenum mode, const FvfLayout& layout, const void* vertices, DWORD vertexCount,
                      const IndexList& indices);
  // Draws the vertices from `startVertex` on; indices count from there.
  bool DrawFromBuffer(GLenum mode, const GlVertexBuffer& buffer, DWORD startVertex,
                      DWORD vertexCount, const IndexList& indices);

 private:
  // A buffer and format the vertex array's attributes point into.
  struct VertexSource {
    uint64_t serial;  // 0 for the stream buffer, else the vertex buffer's serial
    DWORD fvf;
    bool operator==(const VertexSource&) const = default;
  };

  void PointAttributesAt(const VertexSource& source, GLuint buffer, const FvfLayout& layout);
  // Writes the indices to the index stream; their byte offset there goes to `offset`.
  bool StreamIndices(const IndexList& indices, size_t* offset);
  static void Issue(GLenum mode, DWORD firstVertex, DWORD vertexCount, const IndexList& indices,
                    size_t indexOffset);

  GlStateCache gl_;
  ShaderCache shaders_;
  StageSamplers samplers_;
  float maxAnisotropy_ = 1.0f;
  GLuint vertexArray_ = 0;
  StreamBuffer vertexStream_, indexStream_;
  std::optional<VertexSource> attributeSource_;
  uint32_t enabledAttributes_ = 0;  // bit n: attribute n's array is enabled
};
