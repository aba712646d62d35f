#include "scene/scene_streams.h"

HRESULT OpenSceneStream(IStorage* storage, std::string_view name, IStream** stream) {
  return OpenArchiveStream(ArchiveEntryName(name).c_str(), storage, stream);
}

HRESULT ReadSceneStream(IStream* stream, std::vector<uint8_t>& bytes) {
  uint32_t bytesRead = 0;
  const HRESULT result = ReadWholeStream(stream, bytes, &bytesRead);
  // A short read leaves the buffer's tail unwritten; the parsers must not see it.
  bytes.resize(FAILED(result) ? 0 : bytesRead);
  return result;
}

HRESULT ReadSceneStream(IStorage* storage, std::string_view name, std::vector<uint8_t>& bytes) {
  IStream* stream = nullptr;
  if (const HRESULT result = OpenSceneStream(storage, name, &stream); FAILED(result)) {
    return result;
  }
  return ReadSceneStream(stream, bytes);
}
