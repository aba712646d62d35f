#include "support/context_fixture.h"


void ContextFixture::TearDown() {
  SafeRelease(context_);
  SafeRelease(device_);
  window_.reset();
}

void ContextFixture::Recreate(int windowWidth, int windowHeight, DWORD targetWidth,
                              DWORD targetHeight) {
  TearDown();
  window_ = std::make_unique<GlTestWindow>(windowWidth, windowHeight);
  ASSERT_TRUE(window_->valid()) << SDL_GetError();
  const HRESULT result = D3DXCreateContextEx(
      D3DX_DEFAULT, 0, window_->get(), nullptr, D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT,
      D3DX_DEFAULT, 1, targetWidth, targetHeight, D3DX_DEFAULT, &context_);
  ASSERT_EQ(result, S_OK) << ErrorText(result);
  device_ = context_->GetD3DDevice();
}

Picture ContextFixture::ReadPicture() const {
  Picture picture;
  EXPECT_EQ(context_->ReadRenderTarget(picture.pixels, &picture.width, &picture.height), S_OK);
  return picture;
}

void ContextFixture::SetViewport(DWORD x, DWORD y, DWORD width, DWORD height) {
  const D3DVIEWPORT7 viewport{x, y, width, height, 0.0f, 1.0f};
  ASSERT_EQ(device_->SetViewport(&viewport), D3D_OK);
}

void ContextFixture::ClearTo(D3DCOLOR color) {
  ASSERT_EQ(context_->SetClearColor(color), S_OK);
  ASSERT_EQ(context_->Clear(D3DCLEAR_TARGET), S_OK);
}
