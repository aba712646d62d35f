#pragma once
// Turns a string into the triangles that draw it with a small built-in stroke font.
#include <cstddef>
#include <string_view>
#include <vector>

// Longer text is cut off here: the debug text is a line or two of status, never a page.
constexpr size_t kMaxDebugTextLength = 1024;
// Each glyph pixel becomes this many render-target pixels.
constexpr float kDebugTextScale = 2.0f;

// Triangle corners as (x, y) pairs in render-target pixels, y downward, for `text` with
// its top-left corner at (left, top). '\n' starts a new line; any other byte outside
// printable ASCII is drawn as '?'.
std::vector<float> LayoutDebugText(float left, float top, std::string_view text);
