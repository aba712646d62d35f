#pragma once
// Chooses the image reader for an entry by the last three letters of its name.
#include <string_view>

#include "render/d3d/result.h"
#include "resources/image_reader.h"

// "png" or "gif" in any case: a new reader (one reference, the caller's) in `reader`.
// Any other ending, or a name shorter than three letters: E_NOINTERFACE and a null
// reader. A null `reader` gives E_POINTER.
HRESULT CreateImageReader(std::string_view name, ImageReader** reader);
