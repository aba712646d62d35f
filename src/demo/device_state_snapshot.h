#pragma once
// Every state of a device that outlasts a frame: transforms, render states, texture stage
// states and the bound textures. The demo takes one when it is built and puts it back
// when it rewinds, because parts leave states behind that later frames may rely on.
#include <array>
#include <optional>

#include "render/d3d/device.h"

class DeviceStateSnapshot {
 public:
  explicit DeviceStateSnapshot(IDirect3DDevice7* device);
  ~DeviceStateSnapshot();

  DeviceStateSnapshot(const DeviceStateSnapshot&) = delete;
  DeviceStateSnapshot& operator=(const DeviceStateSnapshot&) = delete;

  // Sets every state read at construction on `device` again.
  void Restore(IDirect3DDevice7* device) const;

 private:
  static constexpr DWORD kTransformCount = 3 + kTextureStageCount;

  // A state the device refused to read (an index it does not keep) is left alone.
  std::array<std::optional<D3DMATRIX>, kTransformCount> transforms_;
  std::array<std::optional<DWORD>, kRenderStateCount> renderStates_;
  std::array<std::array<std::optional<DWORD>, kTextureStageStateCount>, kTextureStageCount>
      stageStates_;
  // Counted references, let go with the snapshot.
  std::array<IDirectDrawSurface7*, kTextureStageCount> textures_{};
};
