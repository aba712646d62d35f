#include "render/gl/fixed_function_pipeline.h"

#include <algorithm>
#include <bit>

#include "render/gl/fixed_function_key.h"
#include "render/gl/raster_state.h"
#include "render/gl/shader_generator.h"

namespace {

// Starting sizes; a draw that needs more grows its stream.
constexpr size_t kVertexStreamBytes = size_t{1} << 20;
constexpr size_t kIndexStreamBytes = size_t{1} << 18;

constexpr uint64_t kStreamSerial = 0;

// The anisotropy that anisotropic filtering stands for. A software rasteriser filters
// plainly (trilinear): llvmpipe's anisotropic path costs most of a frame, turning the
// demo's scenes from about 100 frames a second into 3 to 25 (lantern-capture --bench).
float MaxAnisotropy(const GlFeatures& features) {
  if (!features.anisotropicFiltering || features.softwareRenderer) return 1.0f;
  float most = 1.0f;
  glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY, &most);
  return std::max(most, 1.0f);
}

void SetAttributeEnabled(GLuint attribute, bool enabled) {
  if (enabled) {
    glEnableVertexAttribArray(attribute);
  } else {
    glDisableVertexAttribArray(attribute);
  }
}

const void* ByteOffset(size_t offset) { return reinterpret_cast<const void*>(offset); }

}  // namespace

FixedFunctionPipeline::FixedFunctionPipeline(const GlFeatures& features)
    : samplers_(features.anisotropicFiltering),
      maxAnisotropy_(MaxAnisotropy(features)),
      vertexStream_(GL_ARRAY_BUFFER, kVertexStreamBytes),
      indexStream_(GL_ELEMENT_ARRAY_BUFFER, kIndexStreamBytes) {
  glGenVertexArrays(1, &vertexArray_);
  // The index stream stays the vertex array's element buffer for good.
  gl_.BindVertexArray(vertexArray_);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexStream_.name());
}

FixedFunctionPipeline::~FixedFunctionPipeline() { glDeleteVertexArrays(1, &vertexArray_); }

bool FixedFunctionPipeline::Prepare(const PipelineInputs& inputs, const FvfLayout& layout) {
  std::array<bool, kBlendStageCount> bound{};
  for (DWORD stage = 0; stage < kBlendStageCount; ++stage) {
    bound[stage] = inputs.textures[stage] != nullptr;
  }
  const FixedFunctionKey key = BuildFixedFunctionKey(inputs.states, layout, bound);
  FixedFunctionProgram* program = shaders_.Find(key);
  if (program == nullptr) return false;

  gl_.Apply(DescribeRasterState(inputs.states));
  gl_.UseProgram(program->name());
  program->Upload(
      ComputeFixedFunctionUniforms(inputs.states, inputs.glViewport, inputs.targetHeight));
  for (DWORD stage = 0; stage < kBlendStageCount; ++stage) {
    if (!key.stages[stage].sampled) continue;
    const GlTexture& texture = *inputs.textures[stage];
    samplers_.Apply(
        stage, DescribeStageSampler(inputs.states, stage, texture.MipLevels() > 1, maxAnisotropy_));
    gl_.BindSampler(stage, samplers_.sampler(stage));
    gl_.BindTexture(stage, texture.GlName());
  }
  return true;
}

void FixedFunctionPipeline::PointAttributesAt(const VertexSource& source, GLuint buffer,
                                              const FvfLayout& layout) {
  if (attributeSource_ == source) return;
  attributeSource_ = source;
  gl_.BindArrayBuffer(buffer);

  const auto stride = static_cast<GLsizei>(layout.stride);
  uint32_t wanted = 1u << kPositionAttribute;
  glVertexAttribPointer(kPositionAttribute, layout.pretransformed ? 4 : 3, GL_FLOAT, GL_FALSE,
                        stride, ByteOffset(0));
  if (layout.hasDiffuse) {
    // D3DCOLOR's bytes lie in memory as blue, green, red, alpha.
    wanted |= 1u << kDiffuseAttribute;
    glVertexAttribPointer(kDiffuseAttribute, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                          ByteOffset(layout.diffuseOffset));
  }
  for (uint32_t set = 0; set < layout.texCoordSets; ++set) {
    const GLuint attribute = kFirstTexCoordAttribute + set;
    wanted |= 1u << attribute;
    const auto components = static_cast<GLint>(std::min(layout.texCoordComponents[set], 2u));
    glVertexAttribPointer(attribute, components, GL_FLOAT, GL_FALSE, stride,
                          ByteOffset(layout.texCoordOffsets[set]));
  }
  for (uint32_t changed = wanted ^ enabledAttributes_; changed != 0; changed &= changed - 1) {
    const auto attribute = static_cast<GLuint>(std::countr_zero(changed));
    SetAttributeEnabled(attribute, (wanted >> attribute) & 1u);
  }
  enabledAttributes_ = wanted;
}

bool FixedFunctionPipeline::StreamIndices(const IndexList& indices, size_t* offset) {
  *offset = 0;
  if (indices.data == nullptr) return true;
  // The index stream is the bound vertex array's element buffer.
  return indexStream_.Write(indices.data, size_t{indices.count} * sizeof(uint16_t),
                            sizeof(uint16_t), offset);
}

void FixedFunctionPipeline::Issue(GLenum mode, DWORD firstVertex, DWORD vertexCount,
                                  const IndexList& indices, size_t indexOffset) {
  if (indices.data == nullptr) {
    glDrawArrays(mode, static_cast<GLint>(firstVertex), static_cast<GLsizei>(vertexCount));
  } else {
    glDrawElementsBaseVertex(mode, static_cast<GLsizei>(indices.count), GL_UNSIGNED_SHORT,
                             ByteOffset(indexOffset), static_cast<GLint>(firstVertex));
  }
}

bool FixedFunctionPipeline::DrawFromMemory(GLenum mode, const FvfLayout& layout,
                                           const void* vertices, DWORD vertexCount,
                                           const IndexList& indices) {
  gl_.BindVertexArray(vertexArray_);
  size_t indexOffset = 0, vertexOffset = 0;
  if (!StreamIndices(indices, &indexOffset)) return false;
  // Vertices start on a whole vertex, so the attributes keep pointing at the stream's
  // beginning and the draw names its first vertex.
  gl_.BindArrayBuffer(vertexStream_.name());
  if (!vertexStream_.Write(vertices, size_t{vertexCount} * layout.stride, layout.stride,
                           &vertexOffset)) {
    return false;
  }
  PointAttributesAt({kStreamSerial, layout.fvf}, vertexStream_.name(), layout);
  Issue(mode, static_cast<DWORD>(vertexOffset / layout.stride), vertexCount, indices, indexOffset);
  return true;
}

bool FixedFunctionPipeline::DrawFromBuffer(GLenum mode, const GlVertexBuffer& buffer,
                                           DWORD startVertex, DWORD vertexCount,
                                           const IndexList& indices) {
  gl_.BindVertexArray(vertexArray_);
  size_t indexOffset = 0;
  if (!StreamIndices(indices, &indexOffset)) return false;
  PointAttributesAt({buffer.serial(), buffer.layout().fvf}, buffer.GlName(), buffer.layout());
  Issue(mode, startVertex, vertexCount, indices, indexOffset);
  return true;
}
