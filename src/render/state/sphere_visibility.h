#pragma once
// Spheres against the view volume of a World x View x Projection matrix (row vectors,
// clip volume -w <= x, y <= w and 0 <= z <= w). The six planes, in the order of the
// result bits, are left, right, top, bottom, front (near) and back (far).
#include "render/d3d/d3d_types.h"

// For each sphere: bit 0x1000 << plane when it lies wholly outside that plane (every point
// of it is outside, so bit 0x1 << plane is set as well), bit 0x1 << plane alone when it
// straddles the plane, nothing for the planes it lies wholly inside.
void ComputeSphereVisibility(const D3DMATRIX& worldViewProjection, const D3DVECTOR* centers,
                             const float* radii, DWORD count, DWORD* results);
