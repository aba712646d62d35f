// Fuzzes each record reader of a heron scene on its own: the first byte picks the reader
// (a node type code for the five node kinds, 2 for a material, 6 for the animator), the
// rest is the record. A record that
// loads must save to bytes that load again and save the same.
#include <cstdint>
#include <memory>

#include "fuzz_input.h"
#include "scene/animator.h"
#include "scene/scene_material.h"
#include "scene/scene_node.h"

namespace {

// The selectors that are no node type code.
constexpr uint8_t kMaterialRecord = 2;

template <typename Record>
void CheckRecord(const std::vector<uint8_t>& bytes) {
  ByteCursor cursor(bytes.data(), bytes.size());
  Record first;
  if (FAILED(first.Load(cursor))) return;
  ByteWriter saved;
  first.Save(saved);
  const std::vector<uint8_t> savedBytes = saved.TakeBytes();
  ByteCursor again(savedBytes.data(), savedBytes.size());
  Record second;
  if (FAILED(second.Load(again))) FuzzContractBroken("a saved record does not load");
  ByteWriter resaved;
  second.Save(resaved);
  if (resaved.TakeBytes() != savedBytes) FuzzContractBroken("a record saves differently");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  const uint8_t reader = input.TakeByte();
  const std::vector<uint8_t> record = input.TakeRest();
  switch (reader % 7) {
    case kGeomObjectNode: CheckRecord<CGeomObject>(record); break;
    case kLightNode: CheckRecord<CLight>(record); break;
    case kCameraNode: CheckRecord<CCamera>(record); break;
    case kWaveNode: CheckRecord<CNURBWave>(record); break;
    case kParticleSystemNode: CheckRecord<CParticleSystem>(record); break;
    case kMaterialRecord: CheckRecord<CMaterial>(record); break;
    default: CheckRecord<CAnimator>(record); break;
  }
  return 0;
}
