#pragma once
// The data archive: a compound file (structured storage) of named streams and named
// sub-storages, read-only. Every operation returns a result code and never throws; every
// storage or stream handed out is a counted reference that whoever opened it releases.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "render/d3d/ref_counted.h"
#include "render/d3d/result.h"

// Open modes, as the demo passes them.
constexpr DWORD STGM_READ = 0x0;
constexpr DWORD STGM_SHARE_EXCLUSIVE = 0x10;
constexpr DWORD STGM_SHARE_DENY_WRITE = 0x20;
constexpr DWORD STATFLAG_NONAME = 0x1;

struct STATSTG {
  uint64_t cbSize;  // the stream's size in bytes
};

class IStream : public RefCounted {
 public:
  virtual HRESULT Stat(STATSTG* stat, DWORD flags) = 0;
  // Reads up to `count` bytes from the current position; `read` receives how many were read.
  virtual HRESULT Read(void* buffer, ULONG count, ULONG* read) = 0;
};

class IStorage : public RefCounted {
 public:
  virtual HRESULT OpenStream(const char16_t* name, DWORD mode, IStream** stream) = 0;
  virtual HRESULT OpenStorage(const char16_t* name, DWORD mode, IStorage** storage) = 0;
};

// Opens the compound file `fileName` read-only, other readers allowed.
HRESULT OpenArchive(const char16_t* fileName, IStorage** root);
// The same for a file named by a UTF-8 path.
HRESULT OpenArchiveFile(const std::string& path, IStorage** root);
// Opens a stream of `storage`. A null storage gives E_INVALIDARG.
HRESULT OpenArchiveStream(const char16_t* name, IStorage* storage, IStream** stream);
// Opens a sub-storage of `storage`. A null storage gives E_INVALIDARG.
HRESULT OpenArchiveStorage(const char16_t* name, IStorage* storage, IStorage** subStorage);
// Reads `stream` whole into `buffer` (sized to the low 32 bits of the stream's size) and
// releases the stream. `bytesRead`, when given, receives the number of bytes actually read.
HRESULT ReadWholeStream(IStream* stream, std::vector<uint8_t>& buffer, uint32_t* bytesRead);

// The entry name for a narrow (UTF-8) name: UTF-16 with a terminating zero.
std::u16string ArchiveEntryName(std::string_view narrow);
