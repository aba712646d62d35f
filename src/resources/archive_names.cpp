#include "resources/archive_names.h"

#include <glib.h>

#include "resources/archive.h"

static_assert(sizeof(char16_t) == sizeof(gunichar2));

std::optional<std::string> Utf8FromUtf16(const char16_t* name) {
  gchar* utf8 = g_utf16_to_utf8(reinterpret_cast<const gunichar2*>(name), -1, nullptr,
                                nullptr, nullptr);
  if (utf8 == nullptr) return std::nullopt;
  std::string result(utf8);
  g_free(utf8);
  return result;
}

std::u16string ArchiveEntryName(std::string_view narrow) {
  // The name ends at its first zero byte, as it would for the C string it stands for.
  narrow = narrow.substr(0, narrow.find('\0'));
  // Every byte that is not part of a valid UTF-8 sequence becomes U+FFFD, so any input
  // converts.
  gchar* valid = g_utf8_make_valid(narrow.data(), static_cast<gssize>(narrow.size()));
  glong length = 0;
  gunichar2* utf16 = g_utf8_to_utf16(valid, -1, nullptr, &length, nullptr);
  std::u16string result(reinterpret_cast<const char16_t*>(utf16), static_cast<size_t>(length));
  g_free(utf16);
  g_free(valid);
  return result;
}
