#include "render/d3dx/d3dx_texture.h"

#include <algorithm>

#include "render/d3dx/d3dx_context.h"
#include "render/gl/gl_device.h"
#include "render/gl/gl_texture_surface.h"
#include "render/state/mip_chain.h"
#include "render/state/surface_rect.h"

namespace {

// The side a texture gets when the caller names none.
constexpr DWORD kDefaultTextureSide = 256;

DWORD ChooseSide(const DWORD* requested, DWORD limit) {
  if (requested == nullptr || *requested == D3DX_DEFAULT) {
    return std::min(kDefaultTextureSide, limit);
  }
  return std::clamp<DWORD>(*requested, 1, limit);
}

DWORD ChooseLevelCount(const DWORD* flags, const DWORD* requested, DWORD fullChain) {
  if (flags != nullptr && (*flags & D3DX_TEXTURE_NOMIPMAP) != 0) return 1;
  if (requested == nullptr || *requested == 0 || *requested == D3DX_DEFAULT) return fullChain;
  return std::min(*requested, fullChain);
}

DWORD MaxTextureSide() {
  GLint limit = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &limit);
  return static_cast<DWORD>(std::max(limit, 1));
}

template <typename T>
void Report(T* out, T value) {
  if (out != nullptr) *out = value;
}

bool IsKnownFilter(D3DX_FILTERTYPE filter) {
  return filter == D3DX_FT_POINT || filter == D3DX_FT_LINEAR || filter == D3DX_FT_DEFAULT;
}

}  // namespace

HRESULT D3DXCreateTexture(IDirect3DDevice7* device, DWORD* flags, DWORD* width, DWORD* height,
                          D3DX_SURFACEFORMAT* format, void* palette,
                          IDirectDrawSurface7** texture, DWORD* mipLevels) {
  if (texture == nullptr) return D3DXERR_INVALIDPARAMETER;
  *texture = nullptr;
  auto* glDevice = dynamic_cast<GlDevice*>(device);
  const GlTextureFormat* chosenFormat =
      ChooseTextureFormat(format != nullptr ? *format : D3DX_SF_UNKNOWN);
  if (glDevice == nullptr || palette != nullptr || chosenFormat == nullptr) {
    return D3DXERR_INVALIDPARAMETER;
  }

  const DWORD limit = MaxTextureSide();
  const DWORD chosenWidth = ChooseSide(width, limit), chosenHeight = ChooseSide(height, limit);
  const DWORD levels =
      ChooseLevelCount(flags, mipLevels, FullMipChainLength(chosenWidth, chosenHeight));
  GlTextureSurface* created = nullptr;
  const HRESULT result = GlTextureSurface::Create(glDevice->sharedState(), chosenWidth,
                                                  chosenHeight, levels, *chosenFormat, &created);
  if (FAILED(result)) return result;

  *texture = created;
  Report(width, chosenWidth);
  Report(height, chosenHeight);
  Report(format, chosenFormat->format);
  Report(mipLevels, levels);
  return S_OK;
}

HRESULT D3DXLoadTextureFromMemory(IDirect3DDevice7* device, IDirectDrawSurface7* texture,
                                  DWORD mipLevel, const void* source, void* palette,
                                  D3DX_SURFACEFORMAT sourceFormat, DWORD sourcePitch,
                                  const RECT* destRect, D3DX_FILTERTYPE filter) {
  auto* surface = dynamic_cast<GlTextureSurface*>(texture);
  if (dynamic_cast<GlDevice*>(device) == nullptr || surface == nullptr || source == nullptr ||
      palette != nullptr || sourceFormat != D3DX_SF_A8R8G8B8 || !IsKnownFilter(filter)) {
    return D3DXERR_INVALIDPARAMETER;
  }
  const bool everyLevel = mipLevel == D3DX_DEFAULT;
  const DWORD firstLevel = everyLevel ? 0 : mipLevel;
  if (firstLevel >= surface->MipLevels()) return D3DXERR_INVALIDPARAMETER;
  RECT area{};
  if (!ResolveRect(destRect, LevelExtent(surface->Width(), firstLevel),
                   LevelExtent(surface->Height(), firstLevel), &area)) {
    return D3DXERR_INVALIDPARAMETER;
  }
  const DWORD rowBytes = RectWidth(area) * sizeof(uint32_t);
  const DWORD pitch = sourcePitch == 0 ? rowBytes : sourcePitch;
  if (pitch < rowBytes) return D3DXERR_INVALIDPARAMETER;

  ArgbImage image = ReadArgbImage(source, pitch, RectWidth(area), RectHeight(area));
  surface->Upload(firstLevel, area, image);
  if (!everyLevel) return S_OK;
  // Each level is made from the one above it, over the same part of the picture.
  for (DWORD level = 1; level < surface->MipLevels(); ++level) {
    const RECT levelArea = RectAtLevel(area, surface->Width(), surface->Height(), level);
    image = AverageDown(image, RectWidth(levelArea), RectHeight(levelArea));
    surface->Upload(level, levelArea, image);
  }
  return S_OK;
}
