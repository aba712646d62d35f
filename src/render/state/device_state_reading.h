#pragma once
// Reading the device's recorded states by value, for the code that turns them into
// OpenGL state. Every index used here is inside the tables, so the lookups cannot fail.
#include <bit>

#include "render/d3dx/d3dx_maths.h"
#include "render/state/device_states.h"

inline DWORD RenderStateOf(const DeviceStates& states, D3DRENDERSTATETYPE state) {
  DWORD value = 0;
  states.GetRenderState(state, &value);
  return value;
}

// Render states such as FOGSTART hold a float's bits.
inline float FloatRenderStateOf(const DeviceStates& states, D3DRENDERSTATETYPE state) {
  return std::bit_cast<float>(RenderStateOf(states, state));
}

inline DWORD StageStateOf(const DeviceStates& states, DWORD stage, D3DTEXTURESTAGESTATETYPE state) {
  DWORD value = 0;
  states.GetTextureStageState(stage, state, &value);
  return value;
}

inline D3DMATRIX TransformOf(const DeviceStates& states, D3DTRANSFORMSTATETYPE type) {
  D3DMATRIX matrix{};
  states.GetTransform(type, &matrix);
  return matrix;
}

// World x View x Projection: row vectors go through the world transform first.
inline D3DMATRIX WorldViewProjectionOf(const DeviceStates& states) {
  const D3DMATRIX world = TransformOf(states, D3DTRANSFORMSTATE_WORLD);
  const D3DMATRIX view = TransformOf(states, D3DTRANSFORMSTATE_VIEW);
  const D3DMATRIX projection = TransformOf(states, D3DTRANSFORMSTATE_PROJECTION);
  D3DMATRIX combined;
  D3DXMatrixMultiply(&combined, &world, &view);
  D3DXMatrixMultiply(&combined, &combined, &projection);
  return combined;
}
