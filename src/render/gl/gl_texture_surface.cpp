#include "render/gl/gl_texture_surface.h"

#include "render/gl/gl_errors.h"
#include "render/state/mip_chain.h"

namespace {

// Binds a texture for uploading and puts back what the device had: the binding of the
// active unit, the unpack alignment and the pixel-unpack buffer (which would otherwise be
// read instead of the pixels passed).
class TextureUploadScope {
 public:
  explicit TextureUploadScope(GLuint texture) {
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture_);
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment_);
    glGetIntegerv(GL_PIXEL_UNPACK_BUFFER_BINDING, &unpackBuffer_);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glBindBuffer(GL_PIXEL_UNPACK_BUFFER, 0);
  }
  ~TextureUploadScope() {
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(texture_));
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment_);
    glBindBuffer(GL_PIXEL_UNPACK_BUFFER, static_cast<GLuint>(unpackBuffer_));
  }
  TextureUploadScope(const TextureUploadScope&) = delete;
  TextureUploadScope& operator=(const TextureUploadScope&) = delete;

 private:
  GLint texture_ = 0, alignment_ = 4, unpackBuffer_ = 0;
};

}  // namespace

GlTextureSurface::GlTextureSurface(std::shared_ptr<GlSharedState> shared, DWORD width,
                                   DWORD height, DWORD levels, const GlTextureFormat& format)
    : shared_(std::move(shared)), width_(width), height_(height), levels_(levels),
      format_(format) {
  glGenTextures(1, &name_);
}

GlTextureSurface::~GlTextureSurface() {
  shared_->context->MakeCurrent();
  glDeleteTextures(1, &name_);
}

HRESULT GlTextureSurface::Create(std::shared_ptr<GlSharedState> shared, DWORD width,
                                 DWORD height, DWORD levels, const GlTextureFormat& format,
                                 GlTextureSurface** out) {
  DrainGlErrors();
  auto* texture = new GlTextureSurface(std::move(shared), width, height, levels, format);
  {
    TextureUploadScope scope(texture->name_);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(levels - 1));
    const UploadLayout layout = LayoutOf(format.packing);
    for (DWORD level = 0; level < levels; ++level) {
      glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(level),
                   static_cast<GLint>(format.internalFormat),
                   static_cast<GLsizei>(LevelExtent(width, level)),
                   static_cast<GLsizei>(LevelExtent(height, level)), 0, layout.format,
                   layout.type, nullptr);
    }
  }
  const GLenum error = glGetError();
  if (error != GL_NO_ERROR) {
    texture->Release();
    return error == GL_OUT_OF_MEMORY ? E_OUTOFMEMORY : E_FAIL;
  }
  *out = texture;
  return S_OK;
}

HRESULT GlTextureSurface::GetSurfaceDesc(DDSURFACEDESC2* desc) {
  if (desc == nullptr) return DDERR_INVALIDPARAMS;
  *desc = {sizeof(DDSURFACEDESC2), DDSD_WIDTH | DDSD_HEIGHT | DDSD_MIPMAPCOUNT, height_,
           width_, levels_, format_.format};
  return DD_OK;
}

void GlTextureSurface::Upload(DWORD level, const RECT& area, const ArgbImage& image) {
  TextureUploadScope scope(name_);
  const UploadLayout layout = LayoutOf(format_.packing);
  // Row 0 of the image goes to the area's lowest texture row: see gl_texture.h.
  const auto upload = [&](const void* pixels) {
    glTexSubImage2D(GL_TEXTURE_2D, static_cast<GLint>(level), area.left, area.top,
                    static_cast<GLsizei>(image.width), static_cast<GLsizei>(image.height),
                    layout.format, layout.type, pixels);
  };
  if (format_.packing == PixelPacking::kArgb8888) {
    upload(image.pixels.data());
  } else {
    upload(PackPixels(format_.packing, image.pixels).data());
  }
}
