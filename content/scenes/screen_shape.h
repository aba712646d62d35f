#pragma once
// How much wider the picture is than the view. The scene renderer gives each camera a
// projection over the screen's aspect taken as whole numbers (1 for 4:3), and the device's
// own projection, which stays in force after it, scales x by height over width; the result
// fills the 640 x 404 letterbox band. So the picture is shown 404 / (640 * 3/4) times as
// high, relative to its width, as the view: shapes meant to look round to the camera are
// narrowed across by this factor.
namespace scenes {

constexpr float kWideView = 404.0f / 480.0f;

// Under the closing effects the device's projection is a square one (aspect 1), so the
// closing scene's picture is stretched by the whole width of the band.
constexpr float kWideViewUnderSquareProjection = 404.0f / 640.0f;

}  // namespace scenes
