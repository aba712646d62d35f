#include "scene/node_world_matrix.h"

#include "render/d3dx/d3dx_maths.h"

D3DXMATRIX NodeWorldMatrix(const CSceneNode& node) {
  const D3DXVECTOR3 origin{0, 0, 0};
  D3DXMATRIX transform;
  D3DXMatrixTransformation(&transform, &origin, nullptr, &node.scale, nullptr, &node.rotation,
                           &node.position);
  D3DXMATRIX toPivot, fromPivot;
  D3DXMatrixTranslation(&toPivot, node.pivot.x, node.pivot.y, node.pivot.z);
  D3DXMatrixTranslation(&fromPivot, -node.pivot.x, -node.pivot.y, -node.pivot.z);
  D3DXMATRIX world;
  D3DXMatrixMultiply(&world, &toPivot, &transform);
  D3DXMatrixMultiply(&world, &world, &fromPivot);
  return world;
}
