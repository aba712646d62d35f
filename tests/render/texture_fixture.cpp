#include "render/texture_fixture.h"

#include "render/gl/gl_texture.h"

namespace {

template <typename Pixel>
TextureLevel<Pixel> ReadTexture(IDirectDrawSurface7* texture, DWORD level, GLenum format,
                                GLenum type) {
  TextureLevel<Pixel> result;
  const auto* glTexture = dynamic_cast<GlTexture*>(texture);
  if (glTexture == nullptr) {
    ADD_FAILURE() << "not a texture of the OpenGL device";
    return result;
  }
  GLint previous = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &previous);
  glBindTexture(GL_TEXTURE_2D, glTexture->GlName());
  const auto glLevel = static_cast<GLint>(level);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, glLevel, GL_TEXTURE_WIDTH, &result.width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, glLevel, GL_TEXTURE_HEIGHT, &result.height);
  result.pixels.resize(static_cast<size_t>(result.width * result.height));
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, glLevel, format, type, result.pixels.data());
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previous));
  return result;
}

}  // namespace

void TextureFixture::TearDown() {
  for (IDirectDrawSurface7*& texture : textures_) SafeRelease(texture);
  textures_.clear();
  ContextFixture::TearDown();
}

IDirectDrawSurface7* TextureFixture::MakeTexture(DWORD width, DWORD height,
                                                 D3DX_SURFACEFORMAT format, DWORD mipLevels) {
  DWORD flags = 0;
  IDirectDrawSurface7* texture = nullptr;
  const HRESULT result =
      D3DXCreateTexture(device_, &flags, &width, &height, &format, nullptr, &texture, &mipLevels);
  EXPECT_EQ(result, S_OK) << ErrorText(result);
  if (texture != nullptr) textures_.push_back(texture);
  return texture;
}

HRESULT TextureFixture::Load(IDirectDrawSurface7* texture, DWORD level,
                             const std::vector<uint32_t>& pixels) {
  return D3DXLoadTextureFromMemory(device_, texture, level, pixels.data(), nullptr,
                                   D3DX_SF_A8R8G8B8, 0, nullptr, D3DX_FT_LINEAR);
}

TextureLevel<uint32_t> TextureFixture::ReadLevel(IDirectDrawSurface7* texture, DWORD level) {
  return ReadTexture<uint32_t>(texture, level, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV);
}

TextureLevel<uint16_t> TextureFixture::ReadPackedLevel(IDirectDrawSurface7* texture,
                                                       DWORD level, GLenum format,
                                                       GLenum type) {
  return ReadTexture<uint16_t>(texture, level, format, type);
}
