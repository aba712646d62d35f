#pragma once
// The device's blending, depth, culling and fill states in OpenGL's terms.
#include <GL/gl.h>

#include "render/state/device_states.h"

struct RasterState {
  bool blend = false;
  GLenum sourceBlend = GL_ONE, destinationBlend = GL_ZERO;
  bool depthTest = true;
  bool depthWrite = true;
  GLenum depthFunction = GL_LEQUAL;
  bool cull = true;
  GLenum frontFace = GL_CW;  // the winding, in OpenGL's window space, that culling keeps
  GLenum polygonMode = GL_FILL;

  bool operator==(const RasterState&) const = default;
};

// Values a state does not know fall back to its Direct3D default (blend factors ONE and
// ZERO, comparison LESSEQUAL, solid fill); an unknown cull mode culls nothing.
RasterState DescribeRasterState(const DeviceStates& states);
