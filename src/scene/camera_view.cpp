#include "scene/camera_view.h"

#include "render/d3dx/d3dx_maths.h"

D3DXMATRIX CameraViewProjection(const CCamera& camera, float aspect) {
  // In its own frame a scene camera looks along -y: the quarter turn about x takes the
  // view's forward axis (+z) there before the camera's rotation applies.
  const D3DXVECTOR3 xAxis{1, 0, 0};
  D3DXQUATERNION quarterTurn, orientation;
  D3DXQuaternionRotationAxis(&quarterTurn, &xAxis, 1.5707964f);
  D3DXQuaternionMultiply(&orientation, &quarterTurn, &camera.rotation);

  const D3DXVECTOR3 origin{0, 0, 0};
  D3DXMATRIX placement;
  D3DXMatrixAffineTransformation(&placement, 1.0f, &origin, &orientation, &camera.position);
  // A camera that cannot be undone (a zero rotation) views from where it stands unturned.
  D3DXMATRIX view;
  if (D3DXMatrixInverse(&view, nullptr, &placement) == nullptr) {
    D3DXMatrixTranslation(&view, -camera.position.x, -camera.position.y, -camera.position.z);
  }
  D3DXMATRIX projection;
  D3DXMatrixPerspectiveFovLH(&projection, camera.fov, aspect, camera.nearPlane, camera.farPlane);
  D3DXMATRIX viewProjection;
  D3DXMatrixMultiply(&viewProjection, &view, &projection);
  return viewProjection;
}
