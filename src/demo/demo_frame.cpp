// The demo's timeline at work: adding parts, drawing a frame, following the window's size.
#include "base/demo_error.h"
#include "base/log.h"
#include "demo/demo.h"
#include "demo/letterbox.h"
#include "demo/part.h"

void CDemo::AddPart(std::unique_ptr<CPart> part, const std::string& name, double start,
                    double end) {
  g_log << "ORY FXADD " << timeline_.parts().size() << " (" << name << ") " << start << "-"
        << end << "\n";
  CPart& added = timeline_.Add(std::move(part), name,
                               static_cast<float>(start + static_cast<double>(kTimeOffset)),
                               static_cast<float>(end + static_cast<double>(kTimeOffset)));
  added.Init();
  g_log << "\n";
}

bool CDemo::DrawFrame() {
  const float t = CurrentTime();
  timeline_.StartDue(t);

  const D3DVIEWPORT7 whole = WholeTargetViewport(width_, height_);
  device_->SetViewport(&whole);
  if (FAILED(device_->BeginScene())) {
    context_->RestoreSurfaces();
    return true;
  }
  context_->Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | (hasStencil_ ? D3DCLEAR_STENCIL : 0));
  const D3DVIEWPORT7 band = LetterboxBand(width_, height_);
  device_->SetViewport(&band);
  timeline_.DrawActive(t);
  device_->EndScene();
  context_->UpdateFrame(0);
  while (FAILED(primary_->GetBltStatus(DDGBS_ISBLTDONE))) {
  }
  timer_.Tick();

  if (!timeline_.Finished()) return true;
  g_log << "---- DONE ----\n";
  if (!mute_) AudioStop();
  return false;
}

void CDemo::OnResize(uint32_t newWidth, uint32_t newHeight) {
  // A minimised window reports no area at all; the demo keeps its size and plays on.
  if (newWidth == 0 || newHeight == 0) return;
  const HRESULT result = context_->Resize(newWidth, newHeight);
  if (FAILED(result)) throw demoError("Failed to resize.: " + ErrorText(result));
  width_ = g_screenWidth = newWidth;
  height_ = g_screenHeight = newHeight;
  timeline_.ResizeParts();
}
