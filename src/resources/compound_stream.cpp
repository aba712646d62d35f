#include "resources/compound_stream.h"

#include <algorithm>

CompoundStream::CompoundStream(GObjectPtr<GsfInput> entry) : entry_(std::move(entry)) {}

// The statistics carry no name, so the flags change nothing.
HRESULT CompoundStream::Stat(STATSTG* stat, DWORD /*flags*/) {
  if (stat == nullptr) return E_POINTER;
  stat->cbSize = static_cast<uint64_t>(gsf_input_size(entry_.get()));
  return S_OK;
}

HRESULT CompoundStream::Read(void* buffer, ULONG count, ULONG* read) {
  if (read != nullptr) *read = 0;
  if (buffer == nullptr && count > 0) return E_POINTER;
  const gsf_off_t remaining = std::max<gsf_off_t>(gsf_input_remaining(entry_.get()), 0);
  const auto length = static_cast<ULONG>(std::min<gsf_off_t>(count, remaining));
  if (length == 0) return S_OK;
  // libgsf fails the read when the blocks behind the stream are missing or unreadable.
  if (gsf_input_read(entry_.get(), length, static_cast<guint8*>(buffer)) == nullptr) {
    return STG_E_READFAULT;
  }
  if (read != nullptr) *read = length;
  return S_OK;
}
