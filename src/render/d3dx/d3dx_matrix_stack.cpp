#include "render/d3dx/d3dx_matrix_stack.h"

#include "render/d3dx/d3dx_maths.h"

namespace {

// Far deeper than any hierarchy the demo builds; a runaway Push stops here.
constexpr size_t kMaxDepth = 1024;

}  // namespace

ID3DXMatrixStack::ID3DXMatrixStack() : stack_(1) { D3DXMatrixIdentity(&stack_.back()); }

HRESULT ID3DXMatrixStack::Push() {
  if (stack_.size() >= kMaxDepth) return E_OUTOFMEMORY;
  stack_.push_back(stack_.back());
  return S_OK;
}

HRESULT ID3DXMatrixStack::Pop() {
  if (stack_.size() == 1) return D3DXERR_INVALIDPARAMETER;
  stack_.pop_back();
  return S_OK;
}

HRESULT ID3DXMatrixStack::LoadIdentity() {
  D3DXMatrixIdentity(&stack_.back());
  return S_OK;
}

HRESULT ID3DXMatrixStack::LoadMatrix(const D3DXMATRIX* matrix) {
  if (matrix == nullptr) return D3DXERR_INVALIDPARAMETER;
  stack_.back() = *matrix;
  return S_OK;
}

HRESULT ID3DXMatrixStack::MultMatrixLocal(const D3DXMATRIX* matrix) {
  if (matrix == nullptr) return D3DXERR_INVALIDPARAMETER;
  D3DXMatrixMultiply(&stack_.back(), matrix, &stack_.back());
  return S_OK;
}

HRESULT ID3DXMatrixStack::MultMatrix(const D3DXMATRIX* matrix) {
  if (matrix == nullptr) return D3DXERR_INVALIDPARAMETER;
  D3DXMatrixMultiply(&stack_.back(), &stack_.back(), matrix);
  return S_OK;
}

D3DXMATRIX* ID3DXMatrixStack::GetTop() { return &stack_.back(); }

HRESULT D3DXCreateMatrixStack(DWORD /*flags*/, ID3DXMatrixStack** out) {
  if (out == nullptr) return D3DXERR_INVALIDPARAMETER;
  *out = new ID3DXMatrixStack();
  return S_OK;
}
