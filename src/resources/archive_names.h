#pragma once
// Conversions between the archive's UTF-16 entry names and the UTF-8 names libgsf uses.
#include <optional>
#include <string>

// The UTF-8 form of the zero-terminated UTF-16 `name`; no value when `name` is not valid
// UTF-16 (an unpaired surrogate), since no entry can carry such a name.
std::optional<std::string> Utf8FromUtf16(const char16_t* name);
