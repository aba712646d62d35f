#pragma once
// A texture made by D3DXCreateTexture: an OpenGL texture object with every mip level
// allocated, filled by D3DXLoadTextureFromMemory or by a copy from the back buffer.
#include <memory>

#include "render/d3dx/argb_image.h"
#include "render/gl/gl_shared_state.h"
#include "render/gl/gl_texture.h"
#include "render/gl/gl_texture_format.h"

class GlTextureSurface final : public GlTexture {
 public:
  // Allocates `levels` levels of `format` from `width` x `height` down (sizes within
  // OpenGL's limit, levels within the full chain). E_OUTOFMEMORY when OpenGL has no room,
  // E_FAIL when it refuses the storage otherwise.
  static HRESULT Create(std::shared_ptr<GlSharedState> shared, DWORD width, DWORD height,
                        DWORD levels, const GlTextureFormat& format, GlTextureSurface** out);

  unsigned GlName() const override { return name_; }
  DWORD MipLevels() const override { return levels_; }
  DWORD Width() const { return width_; }
  DWORD Height() const { return height_; }

  HRESULT GetSurfaceDesc(DDSURFACEDESC2* desc) override;
  // `source` must be the back buffer (anything else is DDERR_UNSUPPORTED). Writes level 0
  // only; the other levels keep what they had. `flags` and `effects` are not used.
  HRESULT Blt(const RECT* destRect, IDirectDrawSurface7* source, const RECT* sourceRect,
              DWORD flags, void* effects) override;

  // Writes `image` into `area` of `level`, in the texture's format. The area must lie in
  // the level and have the image's size.
  void Upload(DWORD level, const RECT& area, const ArgbImage& image);

 private:
  GlTextureSurface(std::shared_ptr<GlSharedState> shared, DWORD width, DWORD height,
                   DWORD levels, const GlTextureFormat& format);
  ~GlTextureSurface() override;

  std::shared_ptr<GlSharedState> shared_;
  DWORD width_, height_, levels_;
  GlTextureFormat format_;
  GLuint name_ = 0;
};
