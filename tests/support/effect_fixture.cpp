#include "support/effect_fixture.h"

#include "render/d3d/ref_counted.h"

void EffectFixture::StartRecording(const CompoundFileBuilder& archive) {
  // A test may start a second recording; the first one's objects go first.
  ReleaseRecording();
  WriteArchive(archive);
  BuildDemo([](CDemo&) {});
  device_ = new RecordingDevice(640, 480);
  device_->GetDirect3D(&direct3D_);
  g_d3dDevice = device_;
  g_d3d = direct3D_;
  textures_ = new FakeTextureManager;
  realTextures_ = demo_->ReplaceTextures(textures_);
  realFont_ = demo_->ReplaceFont(
      std::make_unique<BitmapFont>(device_, textures_, g_screenWidth, g_screenHeight));
  demo_->font().LoadFont(demo_->archive());
  textures_->loads.clear();  // a test reads what its part loads, not the font
  textures_->created.clear();
}

void EffectFixture::Restore() {
  if (realTextures_ == nullptr) return;
  demo_->ReplaceFont(std::move(realFont_));
  demo_->ReplaceTextures(realTextures_);
  realTextures_ = nullptr;
  g_d3dDevice = demo_->device();
  g_d3d = demo_->direct3D();
}

void EffectFixture::ReleaseRecording() {
  if (demo_) Restore();
  SafeRelease(textures_);
  SafeRelease(direct3D_);
  SafeRelease(device_);
}

void EffectFixture::TearDown() {
  ReleaseRecording();
  DemoFixture::TearDown();
}

std::vector<std::pair<DWORD, DWORD>> EffectFixture::RenderStates() const {
  std::vector<std::pair<DWORD, DWORD>> states;
  for (const RecordedCall& call : device_->Find("SetRenderState")) {
    states.emplace_back(call.args[0], call.args[1]);
  }
  return states;
}

std::vector<std::pair<DWORD, DWORD>> EffectFixture::StageStates(DWORD stage) const {
  std::vector<std::pair<DWORD, DWORD>> states;
  for (const RecordedCall& call : device_->Find("SetTextureStageState")) {
    if (call.args[0] == stage) states.emplace_back(call.args[1], call.args[2]);
  }
  return states;
}

std::vector<RecordedCall> EffectFixture::Draws() const {
  std::vector<RecordedCall> draws;
  for (const RecordedCall& call : device_->Calls()) {
    if (call.name.starts_with("Draw")) draws.push_back(call);
  }
  return draws;
}

std::optional<DWORD> EffectFixture::RenderStateAtDraw(size_t draw, DWORD state) const {
  const std::vector<RecordedCall> draws = Draws();
  if (draw >= draws.size() || !draws[draw].statesAtDraw) return std::nullopt;
  DWORD value = 0;
  const HRESULT known =
      draws[draw].statesAtDraw->GetRenderState(static_cast<D3DRENDERSTATETYPE>(state), &value);
  return SUCCEEDED(known) ? std::optional<DWORD>(value) : std::nullopt;
}

std::optional<DWORD> EffectFixture::StageStateAtDraw(size_t draw, DWORD stage,
                                                     DWORD state) const {
  const std::vector<RecordedCall> draws = Draws();
  if (draw >= draws.size() || !draws[draw].statesAtDraw) return std::nullopt;
  DWORD value = 0;
  const HRESULT known = draws[draw].statesAtDraw->GetTextureStageState(
      stage, static_cast<D3DTEXTURESTAGESTATETYPE>(state), &value);
  return SUCCEEDED(known) ? std::optional<DWORD>(value) : std::nullopt;
}
