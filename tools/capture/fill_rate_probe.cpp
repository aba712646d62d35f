#include "fill_rate_probe.h"

#include <chrono>
#include <cstdint>
#include <sstream>
#include <utility>
#include <vector>

#include "render/d3dx/d3dx_context.h"
#include "render/d3dx/d3dx_texture.h"

namespace {

constexpr int kFrames = 16;
constexpr int kQuadsPerFrame = 16;
constexpr DWORD kTextureSide = 256;  // texels; the quads map one texel to a pixel

struct ProbeVertex {
  float x, y, z, rhw;
  D3DCOLOR colour;
  float u, v;
};
constexpr DWORD kProbeVertexFormat = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;

// A grey-level pattern with detail at every scale, so that no mip level is flat.
std::vector<uint32_t> ProbePicture() {
  std::vector<uint32_t> pixels(kTextureSide * kTextureSide);
  for (DWORD y = 0; y < kTextureSide; ++y) {
    for (DWORD x = 0; x < kTextureSide; ++x) {
      const uint32_t shade = (x ^ y) & 0xFF;
      pixels[y * kTextureSide + x] = 0xFF000000u | shade << 16 | shade << 8 | shade;
    }
  }
  return pixels;
}

IDirectDrawSurface7* CreateProbeTexture(IDirect3DDevice7* device) {
  DWORD flags = 0, width = kTextureSide, height = kTextureSide, mipLevels = 0;
  D3DX_SURFACEFORMAT format = D3DX_SF_A8R8G8B8;
  IDirectDrawSurface7* texture = nullptr;
  if (FAILED(D3DXCreateTexture(device, &flags, &width, &height, &format, nullptr, &texture,
                               &mipLevels))) {
    return nullptr;
  }
  const std::vector<uint32_t> picture = ProbePicture();
  if (FAILED(D3DXLoadTextureFromMemory(device, texture, D3DX_DEFAULT, picture.data(), nullptr,
                                       D3DX_SF_A8R8G8B8, 0, nullptr, D3DX_FT_LINEAR))) {
    texture->Release();
    return nullptr;
  }
  return texture;
}

// Sets states for the probe and puts back what they were when it goes.
class ProbeStates {
 public:
  explicit ProbeStates(IDirect3DDevice7* device) : device_(device) {}
  ~ProbeStates() {
    for (const auto& [state, value] : renderStates_) device_->SetRenderState(state, value);
    for (const auto& [state, value] : stageStates_) device_->SetTextureStageState(0, state, value);
    device_->SetViewport(&viewport_);
  }
  ProbeStates(const ProbeStates&) = delete;
  ProbeStates& operator=(const ProbeStates&) = delete;

  void Render(D3DRENDERSTATETYPE state, DWORD value) {
    DWORD old = 0;
    device_->GetRenderState(state, &old);
    renderStates_.emplace_back(state, old);
    device_->SetRenderState(state, value);
  }
  void Stage(D3DTEXTURESTAGESTATETYPE state, DWORD value) {
    DWORD old = 0;
    device_->GetTextureStageState(0, state, &old);
    stageStates_.emplace_back(state, old);
    device_->SetTextureStageState(0, state, value);
  }
  void Viewport(const D3DVIEWPORT7& viewport) {
    device_->GetViewport(&viewport_);
    device_->SetViewport(&viewport);
  }

 private:
  IDirect3DDevice7* device_;
  std::vector<std::pair<D3DRENDERSTATETYPE, DWORD>> renderStates_;
  std::vector<std::pair<D3DTEXTURESTAGESTATETYPE, DWORD>> stageStates_;
  D3DVIEWPORT7 viewport_{};
};

void SetProbeStates(ProbeStates& states, const D3DVIEWPORT7& band) {
  states.Viewport(band);
  states.Render(D3DRENDERSTATE_ZENABLE, 0);
  states.Render(D3DRENDERSTATE_ZWRITEENABLE, 0);
  states.Render(D3DRENDERSTATE_ALPHABLENDENABLE, 0);
  states.Render(D3DRENDERSTATE_ALPHATESTENABLE, 0);
  states.Render(D3DRENDERSTATE_FOGENABLE, 0);
  states.Render(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE);
  states.Stage(D3DTSS_COLOROP, D3DTOP_MODULATE);
  states.Stage(D3DTSS_COLORARG1, D3DTA_TEXTURE);
  states.Stage(D3DTSS_COLORARG2, D3DTA_DIFFUSE);
  states.Stage(D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
  states.Stage(D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
  states.Stage(D3DTSS_MAGFILTER, D3DTFG_LINEAR);
  states.Stage(D3DTSS_MINFILTER, D3DTFN_LINEAR);
  states.Stage(D3DTSS_MIPFILTER, D3DTFP_LINEAR);
}

// Two triangles over the band, one texel to a pixel.
std::vector<ProbeVertex> BandQuad(const D3DVIEWPORT7& band) {
  const float left = static_cast<float>(band.dwX), top = static_cast<float>(band.dwY);
  const float right = left + static_cast<float>(band.dwWidth);
  const float bottom = top + static_cast<float>(band.dwHeight);
  const float u = static_cast<float>(band.dwWidth) / kTextureSide;
  const float v = static_cast<float>(band.dwHeight) / kTextureSide;
  const D3DCOLOR colour = 0xFFFFFFFFu;
  return {{left, top, 0, 1, colour, 0, 0},     {right, top, 0, 1, colour, u, 0},
          {left, bottom, 0, 1, colour, 0, v},  {left, bottom, 0, 1, colour, 0, v},
          {right, top, 0, 1, colour, u, 0},    {right, bottom, 0, 1, colour, u, v}};
}

}  // namespace

std::string ProbeFillRate(ID3DXContext* context, IDirect3DDevice7* device,
                          const D3DVIEWPORT7& band) {
  IDirectDrawSurface7* texture = CreateProbeTexture(device);
  if (texture == nullptr) return "fill rate: not measured (no probe texture)";
  IDirectDrawSurface7* previous = nullptr;
  device->GetTexture(0, &previous);
  uint64_t fragments = 0;
  double seconds = 0;
  {
    ProbeStates states(device);
    SetProbeStates(states, band);
    device->SetTexture(0, texture);
    std::vector<ProbeVertex> quad = BandQuad(band);
    const std::unique_ptr<FragmentCounter> counter = context->CreateFragmentCounter();
    const FragmentCounter::Report add = [&fragments](uint64_t, uint64_t count) {
      fragments += count;
    };
    const auto start = std::chrono::steady_clock::now();
    for (int frame = 0; frame < kFrames; ++frame) {
      counter->Begin(add);
      device->BeginScene();
      for (int draw = 0; draw < kQuadsPerFrame; ++draw) {
        device->DrawPrimitive(D3DPT_TRIANGLELIST, kProbeVertexFormat, quad.data(),
                              static_cast<DWORD>(quad.size()), 0);
      }
      device->EndScene();
      counter->End();
    }
    counter->Collect(add, /*wait=*/true);
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  device->SetTexture(0, previous);
  if (previous != nullptr) previous->Release();
  texture->Release();

  std::ostringstream line;
  line.setf(std::ios::fixed);
  line.precision(1);
  line << "fill rate: " << (seconds > 0 ? static_cast<double>(fragments) / seconds / 1e6 : 0.0)
       << " M fragments/s (" << kFrames * kQuadsPerFrame << " textured quads of "
       << band.dwWidth << "x" << band.dwHeight << ", trilinear, " << fragments << " fragments)";
  return line.str();
}
