#pragma once
// The world matrix of a scene node: scaled, turned and moved about its pivot.
#include "render/d3d/d3d_types.h"
#include "scene/scene_node.h"

// Tr(+pivot) * M * Tr(-pivot), where M scales by the node's scale, turns by its rotation
// and moves to its position (row vectors: a vertex is moved by +pivot first).
D3DXMATRIX NodeWorldMatrix(const CSceneNode& node);
