#pragma once
// The device over OpenGL. It records states and transforms, owns the viewport, which
// confines everything drawn and the context's Clear to its rectangle, holds the textures
// of the stages, and draws through the fixed-function pipeline.
//
// Draws are taken inside and outside BeginScene/EndScene alike. A draw is refused with
// DDERR_INVALIDPARAMS for an unknown primitive type or vertex format, a null pointer
// where data is needed, more than kMaxVerticesPerDraw vertices or kMaxIndicesPerDraw
// indices, an index at or beyond the vertex count, or a range past the end of a vertex
// buffer; with E_FAIL for a locked vertex buffer or when OpenGL cannot draw it. A draw
// of no vertices or no indices draws nothing and succeeds.
#include <array>
#include <memory>
#include <optional>

#include "render/d3d/device.h"
#include "render/state/device_states.h"
#include "render/gl/fixed_function_pipeline.h"
#include "render/gl/gl_shared_state.h"
#include "render/gl/gl_texture.h"
#include "render/state/target_geometry.h"

class GlDevice final : public IDirect3DDevice7 {
 public:
  // The viewport starts as the whole render target.
  explicit GlDevice(std::shared_ptr<GlSharedState> shared);

  HRESULT GetCaps(D3DDEVICEDESC7* desc) override;
  HRESULT BeginScene() override;
  HRESULT EndScene() override;
  HRESULT SetViewport(const D3DVIEWPORT7* viewport) override;
  HRESULT GetViewport(D3DVIEWPORT7* viewport) override;
  HRESULT SetTransform(D3DTRANSFORMSTATETYPE type, const D3DMATRIX* matrix) override;
  HRESULT GetTransform(D3DTRANSFORMSTATETYPE type, D3DMATRIX* matrix) override;
  HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
  HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) override;
  // D3DTSS_ADDRESS sets ADDRESSU and ADDRESSV as well.
  HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state, DWORD value) override;
  HRESULT GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state, DWORD* value) override;
  HRESULT GetDirect3D(IDirect3D7** direct3D) override;
  // Takes texture surfaces (GlTexture) only; any other surface is refused with
  // DDERR_INVALIDPARAMS and the stage keeps what it had.
  HRESULT SetTexture(DWORD stage, IDirectDrawSurface7* texture) override;
  HRESULT GetTexture(DWORD stage, IDirectDrawSurface7** texture) override;
  // S_OK for a texture surface, which is always resident; DDERR_INVALIDPARAMS otherwise.
  HRESULT PreLoad(IDirectDrawSurface7* texture) override;
  HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, DWORD fvf, const void* vertices, DWORD vertexCount,
                        DWORD flags) override;
  HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE type, DWORD fvf, const void* vertices,
                               DWORD vertexCount, const uint16_t* indices, DWORD indexCount,
                               DWORD flags) override;
  HRESULT DrawPrimitiveVB(D3DPRIMITIVETYPE type, IDirect3DVertexBuffer7* buffer, DWORD startVertex,
                          DWORD vertexCount, DWORD flags) override;
  HRESULT DrawIndexedPrimitiveVB(D3DPRIMITIVETYPE type, IDirect3DVertexBuffer7* buffer,
                                 DWORD startVertex, DWORD vertexCount, const uint16_t* indices,
                                 DWORD indexCount, DWORD flags) override;
  // `flags` is ignored.
  HRESULT ComputeSphereVisibility(const D3DVECTOR* centers, const float* radii, DWORD count,
                                  DWORD flags, DWORD* results) override;

  // The viewport's rectangle in OpenGL's rows, counted from the target's bottom.
  PixelRect GlViewportRect() const;
  // Called after the render target changed size.
  void CoverWholeTarget();
  // While set, a draw is checked and answered as usual but goes no further: OpenGL never
  // sees its vertices. The context sets it while its frames draw no pixels.
  void SetSkipsDraws(bool skips) { skipsDraws_ = skips; }
  // For the objects made through the device (textures), which keep the context alive too.
  const std::shared_ptr<GlSharedState>& sharedState() const { return shared_; }

 private:
  ~GlDevice() override;

  // Sets OpenGL's viewport, depth range and scissor from viewport_.
  void ApplyViewport();
  // Passes `result` on; on success the next draw sets OpenGL up again.
  HRESULT NoteStateChange(HRESULT result);
  // Readies the pipeline for vertices of `layout`, unless it already is.
  bool PrepareToDraw(const FvfLayout& layout);
  // `indices` is empty for a draw in vertex order.
  HRESULT DrawFromMemory(D3DPRIMITIVETYPE type, DWORD fvf, const void* vertices, DWORD vertexCount,
                         const std::optional<IndexList>& indices);
  HRESULT DrawFromBuffer(D3DPRIMITIVETYPE type, IDirect3DVertexBuffer7* buffer, DWORD startVertex,
                         DWORD vertexCount, const std::optional<IndexList>& indices);

  std::shared_ptr<GlSharedState> shared_;
  DeviceStates states_;
  D3DVIEWPORT7 viewport_{};
  bool inScene_ = false;
  // The device holds a reference to each texture set on a stage.
  std::array<GlTexture*, kTextureStageCount> textures_{};
  FixedFunctionPipeline pipeline_;
  // Whether states changed since the pipeline was last prepared, and for which format
  // it was (0, no format, before the first draw).
  bool statesChanged_ = true;
  DWORD preparedFvf_ = 0;
  bool skipsDraws_ = false;
};
