#pragma once
// CFinalImages closes the demo: four pictures, one after another in the middle of a dark
// screen, each fading in and out and trembling slightly; the last one pulses in brightness
// before it fades away just before the part ends.
#include "demo/part.h"

class CFinalImages : public CPart {
 public:
  explicit CFinalImages(CDemo* owner);
  ~CFinalImages() override;

  // Loads the four pictures in the default format, without mip-maps.
  void Init() override;
  // Draws the picture of the row the progress is in. It counts no frames, so it logs no
  // frame rate.
  void Render(float progress) override;
  void Release() override;

 private:
  bool holdsTextures_ = false;
};

// The opacity of the closing pictures at `progress`: row `row` (0..3) fades in and out over
// 0.05 of the part at the ends of its window; the last row pulses and is gone after
// 0.993126.
float FinalImageOpacity(int row, float progress);
// The row shown at `progress`: the last whose start is not after it.
int FinalImageRow(float progress);
