#pragma once
// The start-up dialog's rating of a 3D card: points for the capability bits a device
// reports, a bonus for hardware rasterisation and for drawing into a window, and a verdict.
#include <string>

#include "render/d3d/d3d_types.h"
#include "render/d3d/ddraw_caps.h"

constexpr int kBestRating = 77;

struct CardRating {
  int score = 0;  // 0 .. kBestRating
  bool canRenderWindowed = false;
};

CardRating RateCard(const D3DDEVICEDESC7& device, const DDCAPS& halCaps);

// "Total Crap", "Get a new 3d card", "Decent", "Nice card", "Impressive" or "WOW", in six
// bands of 13 scores; scores outside 0 .. kBestRating get the nearest band's verdict.
const char* RatingVerdict(int score);

// "Rating: <score> / 77 - <verdict>".
std::string RatingText(int score);
