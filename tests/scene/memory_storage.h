#pragma once
// A scene storage held in memory: it serves the streams it was given and notes every
// stream it is asked for, so that a test sees which streams a loader opened, in which
// order and with which mode, without writing a compound file for every case.
#include <string>
#include <vector>

#include "resources/archive.h"
#include "scene/scene.h"

class MemoryStorage final : public IStorage {
 public:
  explicit MemoryStorage(std::vector<SceneStream> streams) : streams_(std::move(streams)) {}
  ~MemoryStorage() override = default;

  // STG_E_FILENOTFOUND for a name it does not hold.
  HRESULT OpenStream(const char16_t* name, DWORD mode, IStream** stream) override;
  HRESULT OpenStorage(const char16_t* name, DWORD mode, IStorage** storage) override;

  std::vector<std::string> opened;  // every name asked for, found or not
  std::vector<DWORD> modes;         // the mode of each request

 private:
  std::vector<SceneStream> streams_;
};
