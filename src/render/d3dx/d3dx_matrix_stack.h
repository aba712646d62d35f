#pragma once
// A stack of matrices for parts that build hierarchical transforms. The top starts as
// the identity; Push duplicates it, Pop discards it (the last matrix is never popped).
#include <vector>

#include "render/d3d/d3d_types.h"
#include "render/d3d/ref_counted.h"

class ID3DXMatrixStack : public RefCounted {
 public:
  ID3DXMatrixStack();

  HRESULT Push();
  HRESULT Pop();
  HRESULT LoadIdentity();
  HRESULT LoadMatrix(const D3DXMATRIX* matrix);
  // top = matrix * top
  HRESULT MultMatrixLocal(const D3DXMATRIX* matrix);
  // top = top * matrix
  HRESULT MultMatrix(const D3DXMATRIX* matrix);
  D3DXMATRIX* GetTop();

 private:
  std::vector<D3DXMATRIX> stack_;
};

HRESULT D3DXCreateMatrixStack(DWORD flags, ID3DXMatrixStack** out);
