#pragma once
// Access to the streams of a scene storage by their narrow names (the names the scene's
// records carry), opened for reading with exclusive sharing.
#include <cstdint>
#include <string_view>
#include <vector>

#include "render/d3d/result.h"
#include "resources/archive.h"

HRESULT OpenSceneStream(IStorage* storage, std::string_view name, IStream** stream);

// Reads the whole stream `stream` into `bytes` (only the bytes it really gave) and
// releases it.
HRESULT ReadSceneStream(IStream* stream, std::vector<uint8_t>& bytes);

// Opens the stream `name` and reads it whole; the open's failure or the read's.
HRESULT ReadSceneStream(IStorage* storage, std::string_view name, std::vector<uint8_t>& bytes);
