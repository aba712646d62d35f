#pragma once
// The base of the program's own COM-style objects (image readers, the texture manager): a
// counted reference that answers QueryInterface for the IUnknown identity only.
#include "render/d3d/ref_counted.h"
#include "render/d3d/result.h"
#include "resources/interface_id.h"

class ComObject : public RefCounted {
 public:
  // Answers only the IUnknown identity (adding a reference); E_NOINTERFACE otherwise,
  // E_POINTER for a null `object`.
  HRESULT QueryInterface(const IID& id, void** object);
};
