#pragma once
// Effects on the recording device: a real demo runtime stands behind the part under test
// (its owner, the archive, the screen size), but the device and Direct3D pointers the parts
// draw through lead to a RecordingDevice, and the demo's texture manager and font to a
// FakeTextureManager, so a test reads every state, draw and texture the part asked for.
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support/demo_archive.h"
#include "support/demo_fixture.h"
#include "support/fake_texture_manager.h"
#include "render/recording/recording_device.h"

class EffectFixture : public DemoFixture {
 protected:
  void TearDown() override;

  // Writes `archive` as lantern.dat, builds a demo with no parts at 640 x 480 and swaps in
  // the recording device, its Direct3D object, the fake texture manager and a font that
  // draws through both (its texture is not among the manager's recorded loads).
  void StartRecording(const CompoundFileBuilder& archive = DemoArchive());

  // The render states set so far, as (state, value), in order.
  std::vector<std::pair<DWORD, DWORD>> RenderStates() const;
  // The texture stage states of stage `stage` set so far, as (state, value), in order.
  std::vector<std::pair<DWORD, DWORD>> StageStates(DWORD stage) const;
  // Every draw call (from memory or from a buffer, indexed or not), in order.
  std::vector<RecordedCall> Draws() const;
  // The value of render state `state` (or of stage `stage`'s state `state`) in force at
  // draw number `draw` of Draws(); nothing when there is no such draw or the device
  // refused it before looking at the states.
  std::optional<DWORD> RenderStateAtDraw(size_t draw, DWORD state) const;
  std::optional<DWORD> StageStateAtDraw(size_t draw, DWORD stage, DWORD state) const;

  RecordingDevice* device_ = nullptr;
  IDirect3D7* direct3D_ = nullptr;
  FakeTextureManager* textures_ = nullptr;

 private:
  // Puts the demo's own device, texture manager and font back.
  void Restore();
  // Restores the demo and releases the recording objects, if there are any.
  void ReleaseRecording();

  CTextureManager* realTextures_ = nullptr;
  std::unique_ptr<BitmapFont> realFont_;
};

// The vertices a recorded draw used, as `Vertex` records.
template <typename Vertex>
std::vector<Vertex> VerticesAs(const RecordedCall& draw) {
  std::vector<Vertex> vertices(draw.vertices.size() / sizeof(Vertex));
  if (!vertices.empty()) std::memcpy(vertices.data(), draw.vertices.data(), vertices.size() * sizeof(Vertex));
  return vertices;
}
