#pragma once
// The matrix a scene camera puts into the device's VIEW transform: the camera's view and its
// own projection in one, so the PROJECTION transform is left as it is.
#include "render/d3d/d3d_types.h"
#include "scene/scene_node.h"

// V * P: V undoes the camera's placement (its rotation after a quarter turn about x, then
// its position), P is its perspective over `aspect` (as D3DXMatrixPerspectiveFovLH takes it).
D3DXMATRIX CameraViewProjection(const CCamera& camera, float aspect);
