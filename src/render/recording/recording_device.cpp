#include "render/recording/recording_device.h"

#include <algorithm>
#include <bit>
#include <iterator>

#include "render/state/fvf_layout.h"
#include "render/state/target_geometry.h"

RecordingDevice::RecordingDevice(DWORD targetWidth, DWORD targetHeight)
    : targetWidth_(targetWidth),
      targetHeight_(targetHeight),
      viewport_{0, 0, targetWidth, targetHeight, 0.0f, 1.0f},
      direct3D_(new RecordingDirect3D) {}

RecordingDevice::~RecordingDevice() {
  for (IDirectDrawSurface7*& texture : textures_) SafeRelease(texture);
  direct3D_->Release();
}

HRESULT RecordingDevice::Record(RecordedCall call, HRESULT result) {
  call.result = result;
  calls_.push_back(std::move(call));
  return result;
}

HRESULT RecordingDevice::Record(std::string name, std::vector<DWORD> args, HRESULT result) {
  RecordedCall call;
  call.name = std::move(name);
  call.args = std::move(args);
  return Record(std::move(call), result);
}

std::vector<std::string> RecordingDevice::CallNames() const {
  std::vector<std::string> names;
  for (const RecordedCall& call : calls_) names.push_back(call.name);
  return names;
}

std::vector<RecordedCall> RecordingDevice::Find(std::string_view name) const {
  std::vector<RecordedCall> found;
  std::copy_if(calls_.begin(), calls_.end(), std::back_inserter(found),
               [name](const RecordedCall& call) { return call.name == name; });
  return found;
}

HRESULT RecordingDevice::GetCaps(D3DDEVICEDESC7* desc) {
  HRESULT result = DDERR_INVALIDPARAMS;
  if (desc != nullptr) {
    *desc = {};
    desc->dwDevCaps = D3DDEVCAPS_FLOATTLVERTEX | D3DDEVCAPS_DRAWPRIMTLVERTEX |
                      D3DDEVCAPS_TEXTUREVIDEOMEMORY | D3DDEVCAPS_CANRENDERAFTERFLIP |
                      D3DDEVCAPS_HWTRANSFORMANDLIGHT | D3DDEVCAPS_HWRASTERIZATION;
    result = D3D_OK;
  }
  return Record("GetCaps", {}, result);
}

HRESULT RecordingDevice::BeginScene() {
  const HRESULT result = inScene_ ? E_FAIL : D3D_OK;
  inScene_ = true;
  return Record("BeginScene", {}, result);
}

HRESULT RecordingDevice::EndScene() {
  const HRESULT result = inScene_ ? D3D_OK : E_FAIL;
  inScene_ = false;
  return Record("EndScene", {}, result);
}

HRESULT RecordingDevice::SetViewport(const D3DVIEWPORT7* viewport) {
  if (viewport == nullptr) return Record("SetViewport", {}, DDERR_INVALIDPARAMS);
  const D3DVIEWPORT7& v = *viewport;
  const HRESULT result =
      ViewportFitsTarget(v, targetWidth_, targetHeight_) ? D3D_OK : DDERR_INVALIDPARAMS;
  if (result == D3D_OK) viewport_ = v;
  return Record("SetViewport",
                {v.dwX, v.dwY, v.dwWidth, v.dwHeight, std::bit_cast<DWORD>(v.dvMinZ),
                 std::bit_cast<DWORD>(v.dvMaxZ)},
                result);
}

HRESULT RecordingDevice::GetViewport(D3DVIEWPORT7* viewport) {
  if (viewport != nullptr) *viewport = viewport_;
  return Record("GetViewport", {}, viewport != nullptr ? D3D_OK : DDERR_INVALIDPARAMS);
}

HRESULT RecordingDevice::SetTransform(D3DTRANSFORMSTATETYPE type, const D3DMATRIX* matrix) {
  RecordedCall call;
  call.name = "SetTransform";
  call.args = {type};
  if (matrix != nullptr) call.matrix = *matrix;
  return Record(std::move(call), states_.SetTransform(type, matrix));
}

HRESULT RecordingDevice::GetTransform(D3DTRANSFORMSTATETYPE type, D3DMATRIX* matrix) {
  return Record("GetTransform", {type}, states_.GetTransform(type, matrix));
}

HRESULT RecordingDevice::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
  return Record("SetRenderState", {state, value}, states_.SetRenderState(state, value));
}

HRESULT RecordingDevice::GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) {
  return Record("GetRenderState", {state}, states_.GetRenderState(state, value));
}

HRESULT RecordingDevice::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state,
                                              DWORD value) {
  return Record("SetTextureStageState", {stage, state, value},
                states_.SetTextureStageState(stage, state, value));
}

HRESULT RecordingDevice::GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state,
                                              DWORD* value) {
  return Record("GetTextureStageState", {stage, state},
                states_.GetTextureStageState(stage, state, value));
}

HRESULT RecordingDevice::GetDirect3D(IDirect3D7** direct3D) {
  if (direct3D == nullptr) return Record("GetDirect3D", {}, DDERR_INVALIDPARAMS);
  direct3D_->AddRef();
  *direct3D = direct3D_;
  return Record("GetDirect3D", {}, D3D_OK);
}

HRESULT RecordingDevice::SetTexture(DWORD stage, IDirectDrawSurface7* texture) {
  RecordedCall call;
  call.name = "SetTexture";
  call.args = {stage};
  call.object = texture;
  if (stage >= kTextureStageCount) return Record(std::move(call), DDERR_INVALIDPARAMS);
  // Taken before the old one is let go, in case they are the same.
  if (texture != nullptr) texture->AddRef();
  SafeRelease(textures_[stage]);
  textures_[stage] = texture;
  return Record(std::move(call), D3D_OK);
}

HRESULT RecordingDevice::GetTexture(DWORD stage, IDirectDrawSurface7** texture) {
  if (stage >= kTextureStageCount || texture == nullptr) {
    return Record("GetTexture", {stage}, DDERR_INVALIDPARAMS);
  }
  *texture = textures_[stage];
  if (*texture != nullptr) (*texture)->AddRef();
  return Record("GetTexture", {stage}, D3D_OK);
}

HRESULT RecordingDevice::PreLoad(IDirectDrawSurface7* texture) {
  RecordedCall call;
  call.name = "PreLoad";
  call.object = texture;
  return Record(std::move(call), texture != nullptr ? D3D_OK : DDERR_INVALIDPARAMS);
}

HRESULT RecordingDevice::CaptureDraw(RecordedCall& call, D3DPRIMITIVETYPE type, DWORD fvf,
                                     const void* vertices, DWORD vertexCount,
                                     const std::optional<IndexList>& indices) const {
  call.fvf = fvf;
  call.statesAtDraw = states_;
  FvfLayout layout;
  if (!DescribeFvf(fvf, &layout)) return DDERR_INVALIDPARAMS;
  if (const std::optional<HRESULT> answer = CheckDraw(type, vertices, vertexCount, indices)) {
    return *answer;
  }
  const auto* bytes = static_cast<const uint8_t*>(vertices);
  call.vertices.assign(bytes, bytes + size_t{vertexCount} * layout.stride);
  if (indices) call.indices.assign(indices->data, indices->data + indices->count);
  return D3D_OK;
}

HRESULT RecordingDevice::CaptureBufferDraw(RecordedCall& call, D3DPRIMITIVETYPE type,
                                           IDirect3DVertexBuffer7* buffer, DWORD startVertex,
                                           DWORD vertexCount,
                                           const std::optional<IndexList>& indices) const {
  call.object = buffer;
  const auto* memory = dynamic_cast<MemoryVertexBuffer*>(buffer);
  if (memory == nullptr || uint64_t{startVertex} + vertexCount > memory->VertexCount()) {
    return DDERR_INVALIDPARAMS;
  }
  if (memory->Locked()) return E_FAIL;
  const uint8_t* first = memory->Bytes().data() + size_t{startVertex} * memory->Stride();
  return CaptureDraw(call, type, memory->Fvf(), first, vertexCount, indices);
}

HRESULT RecordingDevice::DrawPrimitive(D3DPRIMITIVETYPE type, DWORD fvf, const void* vertices,
                                       DWORD vertexCount, DWORD flags) {
  RecordedCall call;
  call.name = "DrawPrimitive";
  call.args = {type, fvf, vertexCount, flags};
  const HRESULT result = CaptureDraw(call, type, fvf, vertices, vertexCount, std::nullopt);
  return Record(std::move(call), result);
}

HRESULT RecordingDevice::DrawIndexedPrimitive(D3DPRIMITIVETYPE type, DWORD fvf,
                                              const void* vertices, DWORD vertexCount,
                                              const uint16_t* indices, DWORD indexCount,
                                              DWORD flags) {
  RecordedCall call;
  call.name = "DrawIndexedPrimitive";
  call.args = {type, fvf, vertexCount, indexCount, flags};
  const HRESULT result =
      CaptureDraw(call, type, fvf, vertices, vertexCount, IndexList{indices, indexCount});
  return Record(std::move(call), result);
}

HRESULT RecordingDevice::DrawPrimitiveVB(D3DPRIMITIVETYPE type, IDirect3DVertexBuffer7* buffer,
                                         DWORD startVertex, DWORD vertexCount, DWORD flags) {
  RecordedCall call;
  call.name = "DrawPrimitiveVB";
  call.args = {type, startVertex, vertexCount, flags};
  const HRESULT result =
      CaptureBufferDraw(call, type, buffer, startVertex, vertexCount, std::nullopt);
  return Record(std::move(call), result);
}

HRESULT RecordingDevice::DrawIndexedPrimitiveVB(D3DPRIMITIVETYPE type,
                                                IDirect3DVertexBuffer7* buffer,
                                                DWORD startVertex, DWORD vertexCount,
                                                const uint16_t* indices, DWORD indexCount,
                                                DWORD flags) {
  RecordedCall call;
  call.name = "DrawIndexedPrimitiveVB";
  call.args = {type, startVertex, vertexCount, indexCount, flags};
  const HRESULT result =
      CaptureBufferDraw(call, type, buffer, startVertex, vertexCount,
                        IndexList{indices, indexCount});
  return Record(std::move(call), result);
}

HRESULT RecordingDevice::ComputeSphereVisibility(const D3DVECTOR* centers, const float* radii,
                                                 DWORD count, DWORD flags, DWORD* results) {
  HRESULT result = DDERR_INVALIDPARAMS;
  if (count == 0 || (centers != nullptr && radii != nullptr && results != nullptr)) {
    std::fill(results, results + count, sphereVisibility_);
    result = D3D_OK;
  }
  return Record("ComputeSphereVisibility", {count, flags}, result);
}
