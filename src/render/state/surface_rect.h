#pragma once
// Rectangles on surfaces: RECT counts pixels with y downward, left and top inclusive,
// right and bottom exclusive.
#include "render/d3d/d3d_types.h"

// The rectangle an operation covers on a surface of `width` x `height`: the whole surface
// when `rect` is null. False when `rect` is empty or reaches outside the surface.
bool ResolveRect(const RECT* rect, DWORD width, DWORD height, RECT* resolved);

inline DWORD RectWidth(const RECT& rect) { return static_cast<DWORD>(rect.right - rect.left); }
inline DWORD RectHeight(const RECT& rect) { return static_cast<DWORD>(rect.bottom - rect.top); }
