#include "scene/scene_colour.h"

namespace {

uint32_t TruncatedChannel(float value) {
  // Written so that NaN, which fails every comparison, lands on 0.
  if (!(value > 0.0f)) return 0;
  if (value >= 1.0f) return 255;
  return static_cast<uint32_t>(value * 255.0f);
}

uint32_t RoundedChannel(float value) {
  if (!(value > 0.0f)) return 0;
  if (value >= 1.0f) return 255;
  return static_cast<uint32_t>(value * 255.0f + 0.5f);
}

template <typename Channel>
D3DCOLOR Pack(const ColourValue& colour, Channel channel) {
  return (channel(colour.a) << 24) | (channel(colour.r) << 16) | (channel(colour.g) << 8) |
         channel(colour.b);
}

}  // namespace

D3DCOLOR PackColourTruncated(const ColourValue& colour) { return Pack(colour, TruncatedChannel); }

D3DCOLOR PackColourRounded(const ColourValue& colour) { return Pack(colour, RoundedChannel); }

D3DCOLOR OpaqueGrey(float level) { return 0xFF000000u + TruncatedChannel(level) * 0x10101u; }

D3DCOLOR OpaqueGreyRounded(float level) {
  return 0xFF000000u + RoundedChannel(level) * 0x10101u;
}
