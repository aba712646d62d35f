#pragma once
// Interface identities for the program's COM-style objects: a 128-bit value compared as a
// whole. Objects answer QueryInterface only for the identities they implement.
#include <array>
#include <cstdint>

struct InterfaceId {
  uint32_t data1;
  uint16_t data2;
  uint16_t data3;
  std::array<uint8_t, 8> data4;

  bool operator==(const InterfaceId&) const = default;
};

using IID = InterfaceId;

// The identity every COM-style object answers to.
inline constexpr IID IID_IUnknown{0x00000000, 0x0000, 0x0000,
                                  {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
