#include "resources/com_object.h"

HRESULT ComObject::QueryInterface(const IID& id, void** object) {
  if (object == nullptr) return E_POINTER;
  if (id != IID_IUnknown) {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  *object = this;
  return S_OK;
}
