#include "render/state/fvf_layout.h"

namespace {

// Two bits per coordinate set from bit 16 up give its size; 0 (the usual value) means
// two floats.
constexpr DWORD kTexCoordSizeShift = 16;
constexpr uint32_t kComponentsForSizeBits[4] = {2, 3, 4, 1};

constexpr DWORD kKnownComponentBits =
    D3DFVF_POSITION_MASK | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_SPECULAR | D3DFVF_TEXCOUNT_MASK;

}  // namespace

bool DescribeFvf(DWORD fvf, FvfLayout* layout) {
  const DWORD position = fvf & D3DFVF_POSITION_MASK;
  const DWORD texCoordSets = (fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT;
  if ((position != D3DFVF_XYZ && position != D3DFVF_XYZRHW) || texCoordSets > kMaxTexCoordSets) {
    return false;
  }
  // Size bits are allowed only for the sets the format has.
  const DWORD sizeBits = fvf >> kTexCoordSizeShift;
  if ((fvf & 0xFFFFu & ~kKnownComponentBits) != 0 ||
      (texCoordSets < kMaxTexCoordSets && (sizeBits >> (2 * texCoordSets)) != 0)) {
    return false;
  }

  FvfLayout result;
  result.fvf = fvf;
  result.pretransformed = position == D3DFVF_XYZRHW;
  uint32_t offset = result.pretransformed ? 4 * sizeof(float) : 3 * sizeof(float);
  if (fvf & D3DFVF_NORMAL) offset += 3 * sizeof(float);
  if (fvf & D3DFVF_DIFFUSE) {
    result.hasDiffuse = true;
    result.diffuseOffset = offset;
    offset += sizeof(D3DCOLOR);
  }
  if (fvf & D3DFVF_SPECULAR) offset += sizeof(D3DCOLOR);
  result.texCoordSets = texCoordSets;
  for (DWORD set = 0; set < texCoordSets; ++set) {
    const uint32_t components = kComponentsForSizeBits[(sizeBits >> (2 * set)) & 3u];
    result.texCoordOffsets[set] = offset;
    result.texCoordComponents[set] = components;
    offset += components * sizeof(float);
  }
  result.stride = offset;
  *layout = result;
  return true;
}
