#pragma once
// The recording backend: a device that draws nothing but writes down every call it
// receives, in order, so that a test can see what a part asked for. It keeps the states as
// a real device does, starting from Direct3D 7's defaults, so Get* reads back what was set,
// and it refuses what a real device refuses (the result is recorded with the call).
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "render/d3d/device.h"
#include "render/state/device_states.h"
#include "render/state/draw_checks.h"
#include "render/recording/recording_direct3d.h"

struct RecordedCall {
  std::string name;          // the method, e.g. "SetRenderState"
  std::vector<DWORD> args;   // its number arguments in order, floats as their bits
  HRESULT result = D3D_OK;   // what the device answered
  D3DMATRIX matrix{};        // SetTransform: the matrix
  // SetTexture, PreLoad and the vertex-buffer draws: the texture or buffer named, to
  // compare with; it may be gone by the time the test looks.
  const void* object = nullptr;
  DWORD fvf = 0;                   // draws: the format of the vertices
  std::vector<uint8_t> vertices;   // draws: the bytes of the vertices drawn
  std::vector<uint16_t> indices;   // indexed draws
  // Draws: every render, stage and transform state in force when the device took the draw.
  std::optional<DeviceStates> statesAtDraw;
};

// The arguments recorded for each call:
//   SetViewport                 x, y, width, height, minZ, maxZ
//   SetTransform, GetTransform  type (SetTransform also fills `matrix`)
//   SetRenderState              state, value          GetRenderState  state
//   SetTextureStageState        stage, state, value   GetTextureStageState  stage, state
//   SetTexture, GetTexture      stage
//   DrawPrimitive               type, fvf, vertexCount, flags
//   DrawIndexedPrimitive        type, fvf, vertexCount, indexCount, flags
//   DrawPrimitiveVB             type, startVertex, vertexCount, flags
//   DrawIndexedPrimitiveVB      type, startVertex, vertexCount, indexCount, flags
//   ComputeSphereVisibility     count, flags
// and none for the others. A draw from a vertex buffer records the vertices it used,
// from startVertex on.
class RecordingDevice final : public IDirect3DDevice7 {
 public:
  // The viewport starts as the whole render target of the given size.
  explicit RecordingDevice(DWORD targetWidth = 640, DWORD targetHeight = 480);

  // Reports a hardware device with transform and lighting.
  HRESULT GetCaps(D3DDEVICEDESC7* desc) override;
  // Scenes do not nest (E_FAIL).
  HRESULT BeginScene() override;
  HRESULT EndScene() override;
  HRESULT SetViewport(const D3DVIEWPORT7* viewport) override;
  HRESULT GetViewport(D3DVIEWPORT7* viewport) override;
  HRESULT SetTransform(D3DTRANSFORMSTATETYPE type, const D3DMATRIX* matrix) override;
  HRESULT GetTransform(D3DTRANSFORMSTATETYPE type, D3DMATRIX* matrix) override;
  HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
  HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) override;
  HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state,
                               DWORD value) override;
  HRESULT GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state,
                               DWORD* value) override;
  // A RecordingDirect3D, the same one every time.
  HRESULT GetDirect3D(IDirect3D7** direct3D) override;
  HRESULT SetTexture(DWORD stage, IDirectDrawSurface7* texture) override;
  HRESULT GetTexture(DWORD stage, IDirectDrawSurface7** texture) override;
  HRESULT PreLoad(IDirectDrawSurface7* texture) override;
  // Draws are checked as every device checks them (CheckDraw) and refused as well for an
  // unknown vertex format or a buffer range past its end; a buffer must be one from
  // RecordingDirect3D and not locked (E_FAIL).
  HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, DWORD fvf, const void* vertices,
                        DWORD vertexCount, DWORD flags) override;
  HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE type, DWORD fvf, const void* vertices,
                               DWORD vertexCount, const uint16_t* indices, DWORD indexCount,
                               DWORD flags) override;
  HRESULT DrawPrimitiveVB(D3DPRIMITIVETYPE type, IDirect3DVertexBuffer7* buffer,
                          DWORD startVertex, DWORD vertexCount, DWORD flags) override;
  HRESULT DrawIndexedPrimitiveVB(D3DPRIMITIVETYPE type, IDirect3DVertexBuffer7* buffer,
                                 DWORD startVertex, DWORD vertexCount, const uint16_t* indices,
                                 DWORD indexCount, DWORD flags) override;
  // Gives every sphere the answer set with AnswerSphereVisibility (0 at first: wholly
  // inside the frustum).
  HRESULT ComputeSphereVisibility(const D3DVECTOR* centers, const float* radii, DWORD count,
                                  DWORD flags, DWORD* results) override;

  void AnswerSphereVisibility(DWORD result) { sphereVisibility_ = result; }

  const std::vector<RecordedCall>& Calls() const { return calls_; }
  std::vector<std::string> CallNames() const;
  // The calls of method `name`, in order.
  std::vector<RecordedCall> Find(std::string_view name) const;
  // Forgets the calls so far; the states stay.
  void Clear() { calls_.clear(); }

 private:
  ~RecordingDevice() override;

  // Appends `call`, answered with `result`, and returns `result`.
  HRESULT Record(RecordedCall call, HRESULT result);
  HRESULT Record(std::string name, std::vector<DWORD> args, HRESULT result);
  // Checks a draw and copies its vertices, indices and the states in force into `call`.
  HRESULT CaptureDraw(RecordedCall& call, D3DPRIMITIVETYPE type, DWORD fvf,
                      const void* vertices, DWORD vertexCount,
                      const std::optional<IndexList>& indices) const;
  // The same for a draw of `vertexCount` vertices from `startVertex` of `buffer`.
  HRESULT CaptureBufferDraw(RecordedCall& call, D3DPRIMITIVETYPE type,
                            IDirect3DVertexBuffer7* buffer, DWORD startVertex,
                            DWORD vertexCount, const std::optional<IndexList>& indices) const;

  DWORD targetWidth_, targetHeight_;
  DeviceStates states_;
  D3DVIEWPORT7 viewport_;
  std::array<IDirectDrawSurface7*, kTextureStageCount> textures_{};  // a reference each
  RecordingDirect3D* direct3D_;
  bool inScene_ = false;
  DWORD sphereVisibility_ = 0;
  std::vector<RecordedCall> calls_;
};
