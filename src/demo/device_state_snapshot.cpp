#include "demo/device_state_snapshot.h"

namespace {

// World, view and projection, then one texture transform per stage.
D3DTRANSFORMSTATETYPE TransformType(DWORD slot) {
  return static_cast<D3DTRANSFORMSTATETYPE>(slot < 3 ? D3DTRANSFORMSTATE_WORLD + slot
                                                     : D3DTRANSFORMSTATE_TEXTURE0 + slot - 3);
}

}  // namespace

DeviceStateSnapshot::DeviceStateSnapshot(IDirect3DDevice7* device) {
  for (DWORD slot = 0; slot < kTransformCount; ++slot) {
    D3DMATRIX matrix{};
    if (SUCCEEDED(device->GetTransform(TransformType(slot), &matrix))) transforms_[slot] = matrix;
  }
  for (DWORD state = 0; state < kRenderStateCount; ++state) {
    DWORD value = 0;
    if (SUCCEEDED(device->GetRenderState(static_cast<D3DRENDERSTATETYPE>(state), &value))) {
      renderStates_[state] = value;
    }
  }
  for (DWORD stage = 0; stage < kTextureStageCount; ++stage) {
    for (DWORD state = 0; state < kTextureStageStateCount; ++state) {
      DWORD value = 0;
      if (SUCCEEDED(device->GetTextureStageState(
              stage, static_cast<D3DTEXTURESTAGESTATETYPE>(state), &value))) {
        stageStates_[stage][state] = value;
      }
    }
    if (FAILED(device->GetTexture(stage, &textures_[stage]))) textures_[stage] = nullptr;
  }
}

DeviceStateSnapshot::~DeviceStateSnapshot() {
  for (IDirectDrawSurface7*& texture : textures_) SafeRelease(texture);
}

void DeviceStateSnapshot::Restore(IDirect3DDevice7* device) const {
  for (DWORD slot = 0; slot < kTransformCount; ++slot) {
    if (transforms_[slot]) device->SetTransform(TransformType(slot), &*transforms_[slot]);
  }
  for (DWORD state = 0; state < kRenderStateCount; ++state) {
    if (renderStates_[state]) {
      device->SetRenderState(static_cast<D3DRENDERSTATETYPE>(state), *renderStates_[state]);
    }
  }
  for (DWORD stage = 0; stage < kTextureStageCount; ++stage) {
    for (DWORD state = 0; state < kTextureStageStateCount; ++state) {
      if (stageStates_[stage][state]) {
        device->SetTextureStageState(stage, static_cast<D3DTEXTURESTAGESTATETYPE>(state),
                                     *stageStates_[stage][state]);
      }
    }
    device->SetTexture(stage, textures_[stage]);
  }
}
