#include "memory_storage.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "resources/archive_names.h"

namespace {

class MemoryStream final : public IStream {
 public:
  explicit MemoryStream(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}

  HRESULT Stat(STATSTG* stat, DWORD /*flags*/) override {
    stat->cbSize = bytes_.size();
    return S_OK;
  }

  HRESULT Read(void* buffer, ULONG count, ULONG* read) override {
    const size_t available = std::min<size_t>(count, bytes_.size() - position_);
    if (available > 0) std::memcpy(buffer, bytes_.data() + position_, available);
    position_ += available;
    if (read != nullptr) *read = static_cast<ULONG>(available);
    return S_OK;
  }

 private:
  ~MemoryStream() override = default;

  const std::vector<uint8_t>& bytes_;
  size_t position_ = 0;
};

}  // namespace

HRESULT MemoryStorage::OpenStream(const char16_t* name, DWORD mode, IStream** stream) {
  *stream = nullptr;
  const std::string narrow = Utf8FromUtf16(name).value_or("");
  opened.push_back(narrow);
  modes.push_back(mode);
  for (const SceneStream& held : streams_) {
    if (held.first == narrow) {
      *stream = new MemoryStream(held.second);
      return S_OK;
    }
  }
  return STG_E_FILENOTFOUND;
}

HRESULT MemoryStorage::OpenStorage(const char16_t* /*name*/, DWORD /*mode*/, IStorage** storage) {
  *storage = nullptr;
  return STG_E_FILENOTFOUND;
}
