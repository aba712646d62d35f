#pragma once
// A storage (the root or a sub-storage) of a compound file, read through libgsf.
#include <gsf/gsf-infile.h>

#include "resources/archive.h"
#include "resources/gsf_support.h"

class CompoundStorage final : public IStorage {
 public:
  // `directory` is the storage's libgsf directory. `archiveSize` is the size of the whole
  // archive file, which no stream in it can exceed.
  CompoundStorage(GObjectPtr<GsfInfile> directory, gsf_off_t archiveSize);

  // The archive is read-only and each open gets its own handle, so the modes change nothing.
  HRESULT OpenStream(const char16_t* name, DWORD mode, IStream** stream) override;
  HRESULT OpenStorage(const char16_t* name, DWORD mode, IStorage** storage) override;

 private:
  enum class EntryKind { kStream, kStorage };

  ~CompoundStorage() override = default;

  // Looks up the direct child `name` and checks that it is of the wanted kind.
  HRESULT FindEntry(const char16_t* name, EntryKind kind, GObjectPtr<GsfInput>& entry);

  GObjectPtr<GsfInfile> directory_;
  gsf_off_t archiveSize_;
};
