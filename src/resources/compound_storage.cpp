#include "resources/compound_storage.h"

#include <new>
#include <optional>
#include <string>

#include "resources/archive_names.h"
#include "resources/compound_stream.h"

namespace {

// libgsf gives every entry of a compound file as a GsfInfile, but only a storage has a
// child count; a stream reports -1.
bool IsStorage(GsfInput* entry) {
  return GSF_IS_INFILE(entry) && gsf_infile_num_children(GSF_INFILE(entry)) >= 0;
}

}  // namespace

CompoundStorage::CompoundStorage(GObjectPtr<GsfInfile> directory, gsf_off_t archiveSize)
    : directory_(std::move(directory)), archiveSize_(archiveSize) {}

HRESULT CompoundStorage::FindEntry(const char16_t* name, EntryKind kind,
                                   GObjectPtr<GsfInput>& entry) {
  if (name == nullptr) return E_INVALIDARG;
  const std::optional<std::string> utf8Name = Utf8FromUtf16(name);
  if (!utf8Name) return E_INVALIDARG;
  // The child holds a reference to its container (this directory), so a handle to it stays
  // valid after this storage is released.
  entry.reset(gsf_infile_child_by_name(directory_.get(), utf8Name->c_str()));
  if (!entry) return STG_E_FILENOTFOUND;
  if (IsStorage(entry.get()) != (kind == EntryKind::kStorage)) return STG_E_FILENOTFOUND;
  return S_OK;
}

HRESULT CompoundStorage::OpenStream(const char16_t* name, DWORD /*mode*/, IStream** stream) {
  if (stream == nullptr) return E_POINTER;
  *stream = nullptr;
  GObjectPtr<GsfInput> entry;
  if (const HRESULT result = FindEntry(name, EntryKind::kStream, entry); FAILED(result)) {
    return result;
  }
  // A corrupt directory entry may claim up to 4 GiB; refusing it here keeps readers from
  // allocating for data that cannot exist.
  if (gsf_input_size(entry.get()) > archiveSize_) return STG_E_INVALIDHEADER;
  *stream = new (std::nothrow) CompoundStream(std::move(entry));
  return *stream != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT CompoundStorage::OpenStorage(const char16_t* name, DWORD /*mode*/, IStorage** storage) {
  if (storage == nullptr) return E_POINTER;
  *storage = nullptr;
  GObjectPtr<GsfInput> entry;
  if (const HRESULT result = FindEntry(name, EntryKind::kStorage, entry); FAILED(result)) {
    return result;
  }
  GObjectPtr<GsfInfile> directory(GSF_INFILE(entry.release()));
  *storage = new (std::nothrow) CompoundStorage(std::move(directory), archiveSize_);
  return *storage != nullptr ? S_OK : E_OUTOFMEMORY;
}
