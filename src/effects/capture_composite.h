#pragma once
// CCaptureComposite plays the "weird.hrn" scene with the tetradoom fractal over it, copies
// the finished picture into a small texture and shows that copy again in four framed
// thumbnails in the corners, an echo of the frame itself. At three moments the screen
// flashes light grey.
#include <array>
#include <optional>

#include "demo/part.h"
#include "effects/fade.h"
#include "effects/tetradoom_effect.h"
#include "render/d3d/d3d_types.h"
#include "scene/scene_part.h"

// A rectangle as fractions of the screen's width and height.
struct ScreenFraction {
  float x0, y0, x1, y1;
};

// The part of a `width` x `height` frame that the capture copies: all but a border of
// 8 % on every side, which vertically is where the letterbox bars lie.
RECT CaptureSourceRect(DWORD width, DWORD height);

// The progress values at which a flash turns the screen fully grey; each flash rises over
// kFlashHalfLength before its time and falls over as long after it.
inline constexpr float kFlashTimes[3] = {0.264642f, 0.512962f, 0.754874f};
inline constexpr float kFlashHalfLength = 0.02f;

// One frame of a flash: which fade draws it, and the progress to hand that fade. From
// the flash's time on, the fade from grey runs 0 to 1; before it, the fade to grey runs up
// to 1, so the screen is fully grey at the flash's time either way.
struct FlashStep {
  bool fromGrey;
  float fadeProgress;
};
// The step of the flash at `flashTime` at the part's `progress`; none outside the flash.
std::optional<FlashStep> FlashStepAt(float flashTime, float progress);

class CCaptureComposite : public CPart {
 public:
  explicit CCaptureComposite(CDemo* owner);

  // Initialises the members, then makes the capture texture "scrcap": 256 x 256, black and
  // fully clear, in the default format without mip-maps, or in 32-bit ARGB where a copy
  // from the back buffer cannot land in the default format.
  void Init() override;
  void Resize() override;
  void Render(float progress) override;
  void Rewind() override;
  // Releases the members. The capture texture stays with the texture manager until it
  // releases everything at shutdown.
  void Release() override;

  std::array<ScreenFraction, 4> thumbnails{};  // set by Resize

 private:
  void CreateCaptureTexture();
  // Copies the current frame, without its border, onto the whole capture texture; the
  // copy's result, or DD_OK when there is nothing to copy from or to.
  HRESULT CaptureFrame();
  void DrawThumbnail(const ScreenFraction& rectangle);
  void DrawFlashes(float progress);

  CTetradoomEffect effect_;
  CScenePart scene_;
  CFade flashOut_;
  CFade flashIn_;
};
