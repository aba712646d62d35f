#pragma once
// A texture surface of the OpenGL device, as the device binds it to a stage. The texture
// object holds the pixels with the meaning of the surface's format already applied (an
// RGB texture reads alpha 1), so sampling needs no knowledge of the format.
//
// Orientation: row 0 of a texture's picture (its top row, as loaded or copied from the
// back buffer) is texture row 0, at t = 0. A texture coordinate (u, v) of the demo is
// therefore sampled as (s, t) = (u, v), with no flip: v = 0 is the top of the picture, as
// the demo expects.
#include "render/d3d/device.h"

class GlTexture : public IDirectDrawSurface7 {
 public:
  // The OpenGL texture object (GL_TEXTURE_2D).
  virtual unsigned GlName() const = 0;
  virtual DWORD MipLevels() const = 0;
};
