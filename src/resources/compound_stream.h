#pragma once
// A stream of a compound file, read through libgsf.
#include <gsf/gsf-input.h>

#include "resources/archive.h"
#include "resources/gsf_support.h"

class CompoundStream final : public IStream {
 public:
  // `entry` is the stream's libgsf input; it keeps the storage it came from alive.
  explicit CompoundStream(GObjectPtr<GsfInput> entry);

  HRESULT Stat(STATSTG* stat, DWORD flags) override;
  HRESULT Read(void* buffer, ULONG count, ULONG* read) override;

 private:
  ~CompoundStream() override = default;

  GObjectPtr<GsfInput> entry_;
};
