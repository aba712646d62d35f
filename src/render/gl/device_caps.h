#pragma once
// The capabilities the device reports, derived from what the OpenGL context offers.
#include "render/d3d/d3d_types.h"
#include "render/gl/gl_features.h"

D3DDEVICEDESC7 DescribeDevice(const GlFeatures& features);
