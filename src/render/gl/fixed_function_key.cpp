#include "render/gl/fixed_function_key.h"

#include <bit>
#include <type_traits>

#include "render/state/device_state_reading.h"

namespace {

// Operations the device does not know end the cascade, like DISABLE.
StageOp ToStageOp(DWORD op) {
  switch (op) {
    case D3DTOP_SELECTARG1: return StageOp::SelectArg1;
    case D3DTOP_SELECTARG2: return StageOp::SelectArg2;
    case D3DTOP_MODULATE: return StageOp::Modulate;
    case D3DTOP_MODULATE2X: return StageOp::Modulate2x;
    case D3DTOP_ADD: return StageOp::Add;
    default: return StageOp::Disabled;
  }
}

StageArg ToStageArg(DWORD arg, DWORD stage, bool textureBound) {
  switch (arg) {
    case D3DTA_DIFFUSE: return StageArg::Diffuse;
    // Nothing is current before the first stage but the diffuse colour.
    case D3DTA_CURRENT: return stage == 0 ? StageArg::Diffuse : StageArg::Current;
    case D3DTA_TEXTURE: return textureBound ? StageArg::Texture : StageArg::White;
    default: return StageArg::White;
  }
}

// A stage's colour or alpha half: its operation and the arguments that operation reads
// (an argument it does not read is left at Diffuse).
struct Combiner {
  StageOp op = StageOp::Disabled;
  StageArg arg1 = StageArg::Diffuse, arg2 = StageArg::Diffuse;

  bool Reads(StageArg arg) const { return arg1 == arg || arg2 == arg; }
};

struct CombinerStates {
  D3DTEXTURESTAGESTATETYPE op, arg1, arg2;
};
constexpr CombinerStates kColorStates{D3DTSS_COLOROP, D3DTSS_COLORARG1, D3DTSS_COLORARG2};
constexpr CombinerStates kAlphaStates{D3DTSS_ALPHAOP, D3DTSS_ALPHAARG1, D3DTSS_ALPHAARG2};

Combiner ReadCombiner(const DeviceStates& states, DWORD stage, const CombinerStates& names,
                      bool textureBound) {
  Combiner combiner;
  combiner.op = ToStageOp(StageStateOf(states, stage, names.op));
  const bool readsArg1 = combiner.op != StageOp::Disabled && combiner.op != StageOp::SelectArg2;
  const bool readsArg2 = combiner.op != StageOp::Disabled && combiner.op != StageOp::SelectArg1;
  if (readsArg1) {
    combiner.arg1 = ToStageArg(StageStateOf(states, stage, names.arg1), stage, textureBound);
  }
  if (readsArg2) {
    combiner.arg2 = ToStageArg(StageStateOf(states, stage, names.arg2), stage, textureBound);
  }
  return combiner;
}

uint8_t AlphaTestFunction(const DeviceStates& states) {
  if (RenderStateOf(states, D3DRENDERSTATE_ALPHATESTENABLE) == 0) return 0;
  const DWORD function = RenderStateOf(states, D3DRENDERSTATE_ALPHAFUNC);
  // ALWAYS, like a value the device does not know, lets every fragment through.
  return function >= D3DCMP_NEVER && function < D3DCMP_ALWAYS ? static_cast<uint8_t>(function) : 0;
}

}  // namespace

size_t FixedFunctionKeyHash::operator()(const FixedFunctionKey& key) const {
  static_assert(std::has_unique_object_representations_v<FixedFunctionKey>,
                "equal keys must hash their bytes alike");
  // FNV-1a over the key's bytes.
  uint64_t hash = 14695981039346656037ull;
  for (uint8_t byte : std::bit_cast<std::array<uint8_t, sizeof(FixedFunctionKey)>>(key)) {
    hash = (hash ^ byte) * 1099511628211ull;
  }
  return static_cast<size_t>(hash);
}

FixedFunctionKey BuildFixedFunctionKey(const DeviceStates& states, const FvfLayout& layout,
                                       const std::array<bool, kBlendStageCount>& textureBound) {
  FixedFunctionKey key;
  key.pretransformed = layout.pretransformed;
  key.hasDiffuse = layout.hasDiffuse;
  key.fog = RenderStateOf(states, D3DRENDERSTATE_FOGENABLE) != 0 &&
            RenderStateOf(states, D3DRENDERSTATE_FOGTABLEMODE) == D3DFOG_LINEAR;
  key.alphaTest = AlphaTestFunction(states);

  // A disabled colour operation ends both cascades; a disabled alpha operation ends the
  // alpha cascade only, and the colour goes on with the alpha as it stands.
  bool alphaLive = true;
  for (DWORD stage = 0; stage < kBlendStageCount; ++stage) {
    const Combiner color = ReadCombiner(states, stage, kColorStates, textureBound[stage]);
    if (color.op == StageOp::Disabled) break;
    const Combiner alpha = ReadCombiner(states, stage, kAlphaStates, textureBound[stage]);
    alphaLive = alphaLive && alpha.op != StageOp::Disabled;

    StageKey& stageKey = key.stages[stage];
    stageKey.colorOp = color.op;
    stageKey.colorArg1 = color.arg1;
    stageKey.colorArg2 = color.arg2;
    if (alphaLive) {
      stageKey.alphaOp = alpha.op;
      stageKey.alphaArg1 = alpha.arg1;
      stageKey.alphaArg2 = alpha.arg2;
    }
    stageKey.sampled =
        color.Reads(StageArg::Texture) || (alphaLive && alpha.Reads(StageArg::Texture));
    if (stageKey.sampled) {
      // The high bits ask for generated coordinates, which the device does not make.
      const DWORD set = StageStateOf(states, stage, D3DTSS_TEXCOORDINDEX) & 0xFFFFu;
      stageKey.texCoordSet = set < layout.texCoordSets ? static_cast<uint8_t>(set) : kNoTexCoordSet;
      // Pre-transformed vertices carry final coordinates.
      const DWORD count = StageStateOf(states, stage, D3DTSS_TEXTURETRANSFORMFLAGS) & 0xFFu;
      stageKey.transformed = !layout.pretransformed && count >= D3DTTFF_COUNT2;
    }
  }
  return key;
}
