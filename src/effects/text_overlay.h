#pragma once
// CTextOverlay writes a sentence over a shot word by word: each word appears in its own
// box, shrinks slowly toward the box's centre while it is on screen and fades in and out
// quickly at the ends of its window; the last word grows instead. It draws with the demo's
// bitmap font, whose additive letters lighten what lies beneath.
#include "demo/part.h"

class CTextOverlay : public CPart {
 public:
  explicit CTextOverlay(CDemo* owner);

  void Init() override;
  // Draws the words whose windows hold `progress`. It counts no frames, so it logs no
  // frame rate.
  void Render(float progress) override;
  void Release() override;
};
