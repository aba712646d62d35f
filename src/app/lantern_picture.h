#pragma once
// The start-up dialog's picture: a copper lantern glowing in the dark, drawn with Dear
// ImGui's shapes, so the program carries no image for it.
struct ImDrawList;
struct ImVec2;

constexpr float kLanternPictureSize = 128.0f;

// Draws the square picture with its top-left corner at `topLeft` (screen pixels).
void DrawLanternPicture(ImDrawList& drawList, const ImVec2& topLeft);
