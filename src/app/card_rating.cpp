#include "app/card_rating.h"

#include <algorithm>
#include <cstdio>
#include <span>

#include "render/d3d/d3d_caps.h"

namespace {

struct FlagPoints {
  DWORD flag;
  int points;
};

constexpr FlagPoints kMiscPoints[] = {
    {D3DPMISCCAPS_CONFORMANT, 1}, {D3DPMISCCAPS_CULLCW, 1}, {D3DPMISCCAPS_CULLCCW, 1}};

constexpr FlagPoints kRasterPoints[] = {{D3DPRASTERCAPS_ANISOTROPY, 1},
                                        {D3DPRASTERCAPS_ANTIALIASEDGES, 1},
                                        {D3DPRASTERCAPS_ANTIALIASSORTINDEPENDENT, 1},
                                        {D3DPRASTERCAPS_FOGVERTEX, 1},
                                        {D3DPRASTERCAPS_WBUFFER, 1},
                                        {D3DPRASTERCAPS_ZFOG, 1}};

constexpr FlagPoints kDevicePoints[] = {
    {D3DDEVCAPS_HWTRANSFORMANDLIGHT, 8},   {D3DDEVCAPS_CANRENDERAFTERFLIP, 1},
    {D3DDEVCAPS_DRAWPRIMTLVERTEX, 1},      {D3DDEVCAPS_FLOATTLVERTEX, 1},
    {D3DDEVCAPS_TEXTURENONLOCALVIDMEM, 1}, {D3DDEVCAPS_TEXTURESYSTEMMEMORY, 1},
    {D3DDEVCAPS_TEXTUREVIDEOMEMORY, 1}};

constexpr FlagPoints kStencilPoints[] = {{D3DSTENCILCAPS_DECR, 4},
                                         {D3DSTENCILCAPS_INCR, 4},
                                         {D3DSTENCILCAPS_ZERO, 4},
                                         {D3DSTENCILCAPS_DECRSAT, 1},
                                         {D3DSTENCILCAPS_INVERT, 1}};

constexpr FlagPoints kTextureOpPoints[] = {
    {D3DTEXOPCAPS_DOTPRODUCT3, 5},       {D3DTEXOPCAPS_ADD, 1},
    {D3DTEXOPCAPS_ADDSIGNED, 1},         {D3DTEXOPCAPS_ADDSIGNED2X, 1},
    {D3DTEXOPCAPS_ADDSMOOTH, 1},         {D3DTEXOPCAPS_BLENDCURRENTALPHA, 1},
    {D3DTEXOPCAPS_BLENDDIFFUSEALPHA, 1}, {D3DTEXOPCAPS_BLENDFACTORALPHA, 1},
    {D3DTEXOPCAPS_BLENDTEXTUREALPHA, 1}, {D3DTEXOPCAPS_MODULATE, 1},
    {D3DTEXOPCAPS_MODULATE2X, 1},        {D3DTEXOPCAPS_MODULATE4X, 1},
    {D3DTEXOPCAPS_SUBTRACT, 1}};

constexpr int kHardwareRasterisationBonus = 15;
constexpr int kWindowedBonus = 8;
// A device that rasterises in software keeps a sixteenth of its points.
constexpr int kSoftwareRasterisationShift = 4;

int PointsFor(DWORD bits, std::span<const FlagPoints> table) {
  int points = 0;
  for (const FlagPoints& entry : table) {
    if ((bits & entry.flag) != 0) points += entry.points;
  }
  return points;
}

}  // namespace

CardRating RateCard(const D3DDEVICEDESC7& device, const DDCAPS& halCaps) {
  int score = PointsFor(device.dpcTriCaps.dwMiscCaps, kMiscPoints) +
              PointsFor(device.dpcTriCaps.dwRasterCaps, kRasterPoints) +
              PointsFor(device.dwDevCaps, kDevicePoints) +
              PointsFor(device.dwStencilCaps, kStencilPoints) +
              PointsFor(device.dwTextureOpCaps, kTextureOpPoints);
  if ((device.dwDevCaps & D3DDEVCAPS_HWRASTERIZATION) != 0) {
    score += kHardwareRasterisationBonus;
  } else {
    score >>= kSoftwareRasterisationShift;
  }
  CardRating rating;
  rating.canRenderWindowed = (halCaps.dwCaps2 & DDCAPS2_CANRENDERWINDOWED) != 0;
  if (rating.canRenderWindowed) score += kWindowedBonus;
  rating.score = score;
  return rating;
}

const char* RatingVerdict(int score) {
  static constexpr const char* kVerdicts[] = {"Total Crap", "Get a new 3d card", "Decent",
                                              "Nice card",  "Impressive",        "WOW"};
  constexpr int kBands = 6;
  // The f32 nearest below 1/77, taken in extended precision: 77 itself stays in the last
  // band instead of opening a seventh.
  constexpr float kOneSeventySeventh = 0.012987013f;
  const auto band = static_cast<int>(static_cast<long double>(score) * kOneSeventySeventh * kBands);
  return kVerdicts[std::clamp(band, 0, kBands - 1)];
}

std::string RatingText(int score) {
  char text[64];
  std::snprintf(text, sizeof text, "Rating: %d / %d - %s", score, kBestRating,
                RatingVerdict(score));
  return text;
}
