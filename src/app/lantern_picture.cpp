#include "app/lantern_picture.h"

#include <initializer_list>
#include <numbers>

#include <imgui.h>

namespace {

const ImU32 kNightTop = IM_COL32(8, 10, 28, 255);
const ImU32 kNightBottom = IM_COL32(34, 20, 14, 255);
const ImU32 kCopper = IM_COL32(196, 118, 58, 255);
const ImU32 kDarkCopper = IM_COL32(120, 64, 30, 255);
const ImU32 kGlass = IM_COL32(255, 196, 110, 70);
const ImU32 kFlameOuter = IM_COL32(255, 128, 24, 255);
const ImU32 kFlameInner = IM_COL32(255, 240, 170, 255);

// Points of the picture are given in its own 128 x 128 pixel space.
class PictureSpace {
 public:
  explicit PictureSpace(const ImVec2& topLeft) : origin_(topLeft) {}
  ImVec2 operator()(float x, float y) const { return {origin_.x + x, origin_.y + y}; }

 private:
  ImVec2 origin_;
};

void DrawNight(ImDrawList& draw, const PictureSpace& at) {
  draw.AddRectFilledMultiColor(at(0, 0), at(kLanternPictureSize, kLanternPictureSize), kNightTop,
                               kNightTop, kNightBottom, kNightBottom);
  constexpr float kStars[][2] = {{14, 12}, {40, 22}, {104, 10}, {118, 38}, {9, 50}, {92, 28}};
  for (const auto& star : kStars) {
    draw.AddCircleFilled(at(star[0], star[1]), 1.0f, IM_COL32(230, 230, 255, 200));
  }
}

// Rings of faint light, each adding to those inside it, brightest around the flame.
void DrawGlow(ImDrawList& draw, const PictureSpace& at) {
  constexpr float kOuterRadius = 62.0f;
  constexpr float kRingStep = 2.0f;
  for (float radius = kOuterRadius; radius > 0.0f; radius -= kRingStep) {
    draw.AddCircleFilled(at(64, 74), radius, IM_COL32(255, 160, 60, 7), 48);
  }
}

// A drop of fire: a round foot drawn up into a point, a paler core inside.
void DrawFlame(ImDrawList& draw, const PictureSpace& at) {
  draw.AddCircleFilled(at(64, 82), 7.0f, kFlameOuter);
  draw.AddTriangleFilled(at(57.2f, 80), at(70.8f, 80), at(64, 60), kFlameOuter);
  draw.AddCircleFilled(at(64, 84), 3.5f, kFlameInner);
  draw.AddTriangleFilled(at(60.6f, 83), at(67.4f, 83), at(64, 70), kFlameInner);
}

void DrawLantern(ImDrawList& draw, const PictureSpace& at) {
  constexpr float kPi = std::numbers::pi_v<float>;
  draw.PathArcTo(at(64, 34), 11.0f, kPi, 2.0f * kPi, 16);
  draw.PathStroke(kCopper, 0, 2.5f);
  draw.AddCircleFilled(at(64, 35), 3.0f, kCopper);
  draw.AddQuadFilled(at(56, 37), at(72, 37), at(82, 47), at(46, 47), kCopper);

  draw.AddRectFilled(at(50, 47), at(78, 96), kGlass);
  DrawFlame(draw, at);
  draw.AddRect(at(50, 47), at(78, 96), kCopper, 0.0f, 0, 2.0f);
  for (float bar : {59.0f, 69.0f}) draw.AddLine(at(bar, 47), at(bar, 96), kDarkCopper, 1.5f);

  draw.AddRectFilled(at(45, 96), at(83, 103), kCopper, 2.0f);
  draw.AddRectFilled(at(48, 103), at(80, 106), kDarkCopper);
}

}  // namespace

void DrawLanternPicture(ImDrawList& drawList, const ImVec2& topLeft) {
  const PictureSpace at(topLeft);
  drawList.PushClipRect(at(0, 0), at(kLanternPictureSize, kLanternPictureSize), true);
  DrawNight(drawList, at);
  DrawGlow(drawList, at);
  DrawLantern(drawList, at);
  drawList.PopClipRect();
}
