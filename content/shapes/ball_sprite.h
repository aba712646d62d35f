#pragma once
// "ball.png": the glowing sprite of every shape-morph particle.
#include <cstdint>
#include <vector>

#include "kit/pixel_image.h"

// The morph draws each particle as a right triangle covering only the upper-left half of
// the texture (u + v <= 1), added to the screen and tinted by a grey, so the glow sits in
// that half, centred on the triangle's incircle, and fades to black before its edges.
PixelImage BallSprite();

// BallSprite() as an RGB PNG: the morph adds the colour and never reads alpha.
std::vector<uint8_t> BallSpritePng();
