// Scheduling and drawing of the timeline's parts.
#include "app/log.h"
#include "demo/demo.h"
#include "demo/demo_error.h"
#include "demo/letterbox.h"
#include "demo/part.h"
#include "demo/timeline_script.h"

void CDemo::AddPart(CPart* part, const std::string& name, double start, double end) {
  g_log << "ORY FXADD " << parts.size() << " (" << name << ") " << start << "-" << end << "\n";
  parts.push_back(part);
  part->name = name;
  pending.push_back(TimelineEntry{true, name,
                                  static_cast<float>(start + static_cast<double>(kTimeOffset)),
                                  static_cast<float>(end + static_cast<double>(kTimeOffset)),
                                  part});
  part->Init();
  g_log << "\n";
}

bool CDemo::DrawFrame() {
  const float t = CurrentTime();
  // Only the head of the pending list is examined: parts are added in start order.
  while (!pending.empty() && t > pending.front().start) {
    active.push_back(pending.front());
    pending.pop_front();
    active.back().part->Start();
  }

  const D3DVIEWPORT7 whole = WholeTargetViewport(width, height);
  device->SetViewport(&whole);
  if (FAILED(device->BeginScene())) {
    context->RestoreSurfaces();
    return true;
  }
  context->Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | (hasStencil ? D3DCLEAR_STENCIL : 0));
  const D3DVIEWPORT7 band = LetterboxBand(width, height);
  device->SetViewport(&band);

  for (auto entry = active.begin(); entry != active.end();) {
    if (t > entry->end) {
      entry->part->Stop();
      entry = active.erase(entry);
      continue;
    }
    try {
      entry->part->Render((t - entry->start) / (entry->end - entry->start));
    } catch (...) {
      if (entry->report) {
        g_log << "*** Unhandled Exception in " << entry->name << " ***\n";
        entry->report = false;
      }
    }
    ++entry;
  }

  device->EndScene();
  context->UpdateFrame(0);
  while (FAILED(primary->GetBltStatus(DDGBS_ISBLTDONE))) {
  }
  timer.Tick();

  if (!active.empty() || !pending.empty()) return true;
  g_log << "---- DONE ----\n";
  if (!mute) AudioStop();
  return false;
}

void CDemo::OnResize(uint32_t newWidth, uint32_t newHeight) {
  // A minimised window reports no area at all; the demo keeps its size and plays on.
  if (newWidth == 0 || newHeight == 0) return;
  const HRESULT result = context->Resize(newWidth, newHeight);
  if (FAILED(result)) throw demoError("Failed to resize.: " + ErrorText(result));
  width = g_screenWidth = newWidth;
  height = g_screenHeight = newHeight;
  for (CPart* part : parts) part->Resize();
}
