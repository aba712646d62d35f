#include "render/pipeline_fixture.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cstdlib>

#include "render/gl/gl_texture.h"

namespace {

// A texture of the OpenGL device made straight from pixels, bypassing the texture
// loading of the layer.
class PixelTexture final : public GlTexture {
 public:
  PixelTexture(DWORD width, DWORD height, const std::vector<uint32_t>& pixels) {
    GLint previous = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &previous);
    glGenTextures(1, &name_);
    glBindTexture(GL_TEXTURE_2D, name_);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    // Texture row 0 is the picture's top row.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, static_cast<GLsizei>(width),
                 static_cast<GLsizei>(height), 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,
                 pixels.data());
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previous));
  }

  unsigned GlName() const override { return name_; }
  DWORD MipLevels() const override { return 1; }

 private:
  ~PixelTexture() override { glDeleteTextures(1, &name_); }

  GLuint name_ = 0;
};

}  // namespace

void PipelineFixture::SetUp() {
  Recreate(kTargetWidth, kTargetHeight, D3DX_DEFAULT, D3DX_DEFAULT);
  if (HasFatalFailure()) return;
  ASSERT_EQ(device_->BeginScene(), D3D_OK);
  ClearAll(0xFF000000u);
}

void PipelineFixture::TearDown() {
  for (IDirectDrawSurface7*& texture : textures_) SafeRelease(texture);
  textures_.clear();
  ContextFixture::TearDown();
}

IDirectDrawSurface7* PipelineFixture::MakeTexture(DWORD width, DWORD height,
                                                  const std::vector<uint32_t>& pixels) {
  EXPECT_EQ(pixels.size(), size_t{width} * height);
  textures_.push_back(new PixelTexture(width, height, pixels));
  return textures_.back();
}

void PipelineFixture::ClearAll(D3DCOLOR color) {
  ASSERT_EQ(context_->SetClearColor(color), S_OK);
  ASSERT_EQ(context_->SetClearDepth(1.0f), S_OK);
  ASSERT_EQ(context_->Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER), S_OK);
}

void PipelineFixture::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
  ASSERT_EQ(device_->SetRenderState(state, value), D3D_OK);
}

void PipelineFixture::SetStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state, DWORD value) {
  ASSERT_EQ(device_->SetTextureStageState(stage, state, value), D3D_OK);
}

HRESULT PipelineFixture::DrawScreenRect(const ScreenRect& r, D3DCOLOR color, float z,
                                        const UvRect& uv) {
  const ScreenVertex strip[4] = {{r.left, r.top, z, 1.0f, color, uv.u0, uv.v0},
                                 {r.right, r.top, z, 1.0f, color, uv.u1, uv.v0},
                                 {r.left, r.bottom, z, 1.0f, color, uv.u0, uv.v1},
                                 {r.right, r.bottom, z, 1.0f, color, uv.u1, uv.v1}};
  return device_->DrawPrimitive(D3DPT_TRIANGLESTRIP, kScreenFvf, strip, 4, 0);
}

HRESULT PipelineFixture::DrawSceneRect(const ScreenRect& r, D3DCOLOR color, float z,
                                       const UvRect& uv) {
  // Clip y points up the picture: "top" is the larger y.
  const SceneVertex strip[4] = {{r.left, r.top, z, color, uv.u0, uv.v0},
                                {r.right, r.top, z, color, uv.u1, uv.v0},
                                {r.left, r.bottom, z, color, uv.u0, uv.v1},
                                {r.right, r.bottom, z, color, uv.u1, uv.v1}};
  return device_->DrawPrimitive(D3DPT_TRIANGLESTRIP, kSceneFvf, strip, 4, 0);
}

size_t PipelineFixture::Count(const Picture& picture, uint32_t color) {
  return static_cast<size_t>(std::count(picture.pixels.begin(), picture.pixels.end(), color));
}

bool ColorsNear(uint32_t actual, uint32_t expected, int tolerance) {
  for (int shift = 0; shift < 32; shift += 8) {
    const int a = static_cast<int>((actual >> shift) & 0xFFu);
    const int e = static_cast<int>((expected >> shift) & 0xFFu);
    if (std::abs(a - e) > tolerance) return false;
  }
  return true;
}
