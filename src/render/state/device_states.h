#pragma once
// The device's recorded transforms, render states and texture stage states, starting from
// Direct3D 7's defaults. Values are kept exactly as set; an index outside the tables is
// refused with DDERR_INVALIDPARAMS.
#include <array>

#include "render/d3d/d3d_types.h"

class DeviceStates {
 public:
  DeviceStates();

  HRESULT SetTransform(D3DTRANSFORMSTATETYPE type, const D3DMATRIX* matrix);
  HRESULT GetTransform(D3DTRANSFORMSTATETYPE type, D3DMATRIX* matrix) const;
  HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value);
  HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) const;
  HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state, DWORD value);
  HRESULT GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state,
                               DWORD* value) const;

 private:
  // World, view, projection, then one texture transform per stage.
  static constexpr DWORD kTransformCount = 3 + kTextureStageCount;

  // The slot of `type` in transforms_, or kTransformCount when there is none.
  static DWORD TransformSlot(D3DTRANSFORMSTATETYPE type);

  std::array<D3DMATRIX, kTransformCount> transforms_;
  std::array<DWORD, kRenderStateCount> renderStates_{};
  std::array<std::array<DWORD, kTextureStageStateCount>, kTextureStageCount> stageStates_{};
};
