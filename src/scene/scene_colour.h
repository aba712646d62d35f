#pragma once
// Packing the scene's float colours into D3DCOLOR (A in bits 24-31, then R, G, B).
#include "render/d3d/d3d_types.h"
#include "scene/geom_object_record.h"

// Each channel value * 255, truncated: the colours of static meshes, which lie in 0..1.
// Values outside 0..1 are held at its ends.
D3DCOLOR PackColourTruncated(const ColourValue& colour);
// Each channel 255 from 1.0 up, 0 from 0.0 down, else value * 255 + 0.5 truncated: fog and
// vertex-animated meshes.
D3DCOLOR PackColourRounded(const ColourValue& colour);
// Opaque grey of brightness `level` (0..1, held there; NaN is black), truncated to 0..255.
D3DCOLOR OpaqueGrey(float level);
// The same, rounded to the nearest step as PackColourRounded rounds.
D3DCOLOR OpaqueGreyRounded(float level);
