#include "render/gl/shader_cache.h"

FixedFunctionProgram* ShaderCache::Find(const FixedFunctionKey& key) {
  auto [entry, added] = programs_.try_emplace(key);
  if (added) entry->second = std::make_unique<FixedFunctionProgram>(key);
  return entry->second->name() != 0 ? entry->second.get() : nullptr;
}
