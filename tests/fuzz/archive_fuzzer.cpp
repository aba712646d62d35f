// Fuzzes the archive over arbitrary file bytes: the compound-file open, then the entries
// the demo reads (streams read whole, scene storages loaded), by the names a small
// archive of the seed corpus uses.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <string>

#include "resources/archive.h"
#include "scene/scene.h"

namespace {

constexpr const char16_t* kStreamNames[] = {u"muzik.mp3", u"bwfont.raw", u"land1.raw",
                                            u"dnatex.raw", u"box",       u"i01.png"};
constexpr const char16_t* kStorageNames[] = {u"binary.hrn", u"end.hrn"};

void ReadStreams(IStorage* storage) {
  for (const char16_t* name : kStreamNames) {
    IStream* stream = nullptr;
    if (FAILED(OpenArchiveStream(name, storage, &stream))) continue;
    std::vector<uint8_t> bytes;
    ReadWholeStream(stream, bytes, nullptr);
  }
}

void LoadScenes(IStorage* root) {
  for (const char16_t* name : kStorageNames) {
    IStorage* storage = nullptr;
    if (FAILED(OpenArchiveStorage(name, root, &storage))) continue;
    CScene scene;
    scene.Load(storage);
    storage->Release();
  }
}

// The bytes as a file that exists only in memory, named through /proc.
int MemoryFile(const uint8_t* data, size_t size) {
  const int file = memfd_create("archive", 0);
  if (file < 0) return -1;
  size_t written = 0;
  while (written < size) {
    const ssize_t wrote = write(file, data + written, size - written);
    if (wrote <= 0) {
      close(file);
      return -1;
    }
    written += static_cast<size_t>(wrote);
  }
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const int file = MemoryFile(data, size);
  if (file < 0) return 0;
  const std::string path = "/proc/self/fd/" + std::to_string(file);
  IStorage* root = nullptr;
  if (SUCCEEDED(OpenArchive(std::u16string(path.begin(), path.end()).c_str(), &root))) {
    ReadStreams(root);
    LoadScenes(root);
    root->Release();
  }
  close(file);
  return 0;
}
