#include "render/state/device_states.h"

#include <bit>

#include "render/d3dx/d3dx_maths.h"

namespace {

constexpr DWORD kTrue = 1, kFalse = 0;
constexpr DWORD kCompareAlways = 8;

}  // namespace

DeviceStates::DeviceStates() {
  for (D3DMATRIX& matrix : transforms_) D3DXMatrixIdentity(&matrix);

  renderStates_[D3DRENDERSTATE_ZENABLE] = kTrue;
  renderStates_[D3DRENDERSTATE_ZWRITEENABLE] = kTrue;
  renderStates_[D3DRENDERSTATE_ZFUNC] = D3DCMP_LESSEQUAL;
  renderStates_[D3DRENDERSTATE_CULLMODE] = D3DCULL_CCW;
  renderStates_[D3DRENDERSTATE_ALPHABLENDENABLE] = kFalse;
  renderStates_[D3DRENDERSTATE_SRCBLEND] = D3DBLEND_ONE;
  renderStates_[D3DRENDERSTATE_DESTBLEND] = D3DBLEND_ZERO;
  renderStates_[D3DRENDERSTATE_ALPHAFUNC] = kCompareAlways;
  renderStates_[D3DRENDERSTATE_FOGENABLE] = kFalse;
  renderStates_[D3DRENDERSTATE_FOGEND] = std::bit_cast<DWORD>(1.0f);
  renderStates_[D3DRENDERSTATE_LIGHTING] = kTrue;

  for (DWORD stage = 0; stage < kTextureStageCount; ++stage) {
    std::array<DWORD, kTextureStageStateCount>& states = stageStates_[stage];
    // Only the first stage is active at first: it modulates the texture with the
    // diffuse colour that reaches it.
    states[D3DTSS_COLOROP] = stage == 0 ? D3DTOP_MODULATE : D3DTOP_DISABLE;
    states[D3DTSS_ALPHAOP] = stage == 0 ? D3DTOP_SELECTARG1 : D3DTOP_DISABLE;
    states[D3DTSS_COLORARG1] = D3DTA_TEXTURE;
    states[D3DTSS_COLORARG2] = D3DTA_CURRENT;
    states[D3DTSS_ALPHAARG1] = D3DTA_TEXTURE;
    states[D3DTSS_ALPHAARG2] = D3DTA_CURRENT;
    states[D3DTSS_TEXCOORDINDEX] = stage;
    states[D3DTSS_ADDRESS] = D3DTADDRESS_WRAP;
    states[D3DTSS_ADDRESSU] = D3DTADDRESS_WRAP;
    states[D3DTSS_ADDRESSV] = D3DTADDRESS_WRAP;
    states[D3DTSS_MAGFILTER] = D3DTFG_POINT;
    states[D3DTSS_MINFILTER] = D3DTFN_POINT;
    states[D3DTSS_MIPFILTER] = D3DTFP_NONE;
  }
}

DWORD DeviceStates::TransformSlot(D3DTRANSFORMSTATETYPE type) {
  if (type >= D3DTRANSFORMSTATE_WORLD && type <= D3DTRANSFORMSTATE_PROJECTION) {
    return type - D3DTRANSFORMSTATE_WORLD;
  }
  const DWORD stage = type - D3DTRANSFORMSTATE_TEXTURE0;
  if (type >= D3DTRANSFORMSTATE_TEXTURE0 && stage < kTextureStageCount) return 3 + stage;
  return kTransformCount;
}

HRESULT DeviceStates::SetTransform(D3DTRANSFORMSTATETYPE type, const D3DMATRIX* matrix) {
  const DWORD slot = TransformSlot(type);
  if (slot == kTransformCount || matrix == nullptr) return DDERR_INVALIDPARAMS;
  transforms_[slot] = *matrix;
  return D3D_OK;
}

HRESULT DeviceStates::GetTransform(D3DTRANSFORMSTATETYPE type, D3DMATRIX* matrix) const {
  const DWORD slot = TransformSlot(type);
  if (slot == kTransformCount || matrix == nullptr) return DDERR_INVALIDPARAMS;
  *matrix = transforms_[slot];
  return D3D_OK;
}

HRESULT DeviceStates::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
  if (state >= kRenderStateCount) return DDERR_INVALIDPARAMS;
  renderStates_[state] = value;
  return D3D_OK;
}

HRESULT DeviceStates::GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) const {
  if (state >= kRenderStateCount || value == nullptr) return DDERR_INVALIDPARAMS;
  *value = renderStates_[state];
  return D3D_OK;
}

HRESULT DeviceStates::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state,
                                           DWORD value) {
  if (stage >= kTextureStageCount || state >= kTextureStageStateCount) {
    return DDERR_INVALIDPARAMS;
  }
  stageStates_[stage][state] = value;
  return D3D_OK;
}

HRESULT DeviceStates::GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state,
                                           DWORD* value) const {
  if (stage >= kTextureStageCount || state >= kTextureStageStateCount || value == nullptr) {
    return DDERR_INVALIDPARAMS;
  }
  *value = stageStates_[stage][state];
  return D3D_OK;
}
