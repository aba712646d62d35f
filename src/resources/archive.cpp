#include "resources/archive.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-input-stdio.h>

#include <new>
#include <optional>

#include "resources/archive_names.h"
#include "resources/compound_storage.h"
#include "resources/gsf_support.h"

namespace {

// Sub-objects of a storage are opened exclusively, as the structured-storage rules demand.
constexpr DWORD kChildMode = STGM_READ | STGM_SHARE_EXCLUSIVE;

// The result for a file libgsf could not open; takes over `error`.
HRESULT OpenFailure(GError* error) {
  const bool denied = error != nullptr && error->domain == G_FILE_ERROR &&
                      (error->code == G_FILE_ERROR_ACCES || error->code == G_FILE_ERROR_PERM);
  g_clear_error(&error);
  return denied ? STG_E_ACCESSDENIED : STG_E_FILENOTFOUND;
}

HRESULT ReadOpenStream(IStream& stream, std::vector<uint8_t>& buffer, uint32_t* bytesRead) {
  STATSTG stat{};
  if (const HRESULT result = stream.Stat(&stat, STATFLAG_NONAME); FAILED(result)) return result;
  const auto size = static_cast<uint32_t>(stat.cbSize);
  try {
    buffer.resize(size);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  ULONG read = 0;
  const HRESULT result = stream.Read(buffer.data(), size, &read);
  if (bytesRead != nullptr) *bytesRead = read;
  return result;
}

}  // namespace

HRESULT OpenArchive(const char16_t* fileName, IStorage** root) {
  if (root == nullptr) return E_POINTER;
  *root = nullptr;
  if (fileName == nullptr) return E_INVALIDARG;
  const std::optional<std::string> path = Utf8FromUtf16(fileName);
  if (!path) return E_INVALIDARG;
  return OpenArchiveFile(*path, root);
}

HRESULT OpenArchiveFile(const std::string& path, IStorage** root) {
  if (root == nullptr) return E_POINTER;
  *root = nullptr;
  InitialiseGsf();
  GError* error = nullptr;
  GObjectPtr<GsfInput> file(gsf_input_stdio_new(path.c_str(), &error));
  if (!file) return OpenFailure(error);
  // The compound-file reader takes its own reference to the file.
  GObjectPtr<GsfInfile> directory(gsf_infile_msole_new(file.get(), &error));
  if (!directory) {
    g_clear_error(&error);
    return STG_E_INVALIDHEADER;
  }
  *root = new (std::nothrow) CompoundStorage(std::move(directory), gsf_input_size(file.get()));
  return *root != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT OpenArchiveStream(const char16_t* name, IStorage* storage, IStream** stream) {
  if (storage == nullptr) {
    if (stream != nullptr) *stream = nullptr;
    return E_INVALIDARG;
  }
  return storage->OpenStream(name, kChildMode, stream);
}

HRESULT OpenArchiveStorage(const char16_t* name, IStorage* storage, IStorage** subStorage) {
  if (storage == nullptr) {
    if (subStorage != nullptr) *subStorage = nullptr;
    return E_INVALIDARG;
  }
  return storage->OpenStorage(name, kChildMode, subStorage);
}

HRESULT ReadWholeStream(IStream* stream, std::vector<uint8_t>& buffer, uint32_t* bytesRead) {
  if (bytesRead != nullptr) *bytesRead = 0;
  if (stream == nullptr) return E_POINTER;
  const HRESULT result = ReadOpenStream(*stream, buffer, bytesRead);
  stream->Release();
  return result;
}
