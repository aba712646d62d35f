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

// Whether the compound file's root directory entry names siblings. The format gives the
// root none, and libgsf reads siblings of the root into entries that nothing holds, so
// their memory is lost for every open of such a file: it is refused before libgsf sees
// it. A header or entry that cannot be read is left for libgsf to refuse.
bool RootEntryHasSiblings(GsfInput* file) {
  constexpr size_t kSectorShiftAt = 0x1E;
  constexpr size_t kDirectoryStartAt = 0x30;
  constexpr size_t kHeaderSize = 0x4C;
  constexpr size_t kEntrySize = 128;
  constexpr size_t kSiblingsAt = 0x44;  // the left sibling's id, then the right's
  constexpr uint32_t kNoEntry = 0xFFFFFFFFu;
  const auto u16At = [](const guint8* bytes, size_t at) {
    return static_cast<uint32_t>(bytes[at] | bytes[at + 1] << 8);
  };
  const auto u32At = [&](const guint8* bytes, size_t at) {
    return u16At(bytes, at) | u16At(bytes, at + 2) << 16;
  };
  const guint8* header = gsf_input_read(file, kHeaderSize, nullptr);
  if (header == nullptr) return false;
  const uint32_t sectorShift = u16At(header, kSectorShiftAt);
  const uint32_t directoryStart = u32At(header, kDirectoryStartAt);
  // Sectors of 512 or 4096 bytes; the header fills sector -1.
  if (sectorShift != 9 && sectorShift != 12) return false;
  const gsf_off_t rootAt = (gsf_off_t{directoryStart} + 1) << sectorShift;
  const guint8* root = gsf_input_seek(file, rootAt, G_SEEK_SET)
                           ? nullptr
                           : gsf_input_read(file, kEntrySize, nullptr);
  const bool siblings = root != nullptr && (u32At(root, kSiblingsAt) != kNoEntry ||
                                            u32At(root, kSiblingsAt + 4) != kNoEntry);
  gsf_input_seek(file, 0, G_SEEK_SET);
  return siblings;
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
  if (RootEntryHasSiblings(file.get())) return STG_E_INVALIDHEADER;
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
