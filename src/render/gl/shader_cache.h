#pragma once
// The fixed-function programs built so far, one per key. A key whose program fails to
// build is remembered too, so the failure is not retried on every draw.
#include <memory>
#include <unordered_map>

#include "render/gl/fixed_function_key.h"
#include "render/gl/fixed_function_program.h"

class ShaderCache {
 public:
  // The program for `key`, built on first request; null when it cannot be built.
  // Programs stay where they are for the cache's lifetime.
  FixedFunctionProgram* Find(const FixedFunctionKey& key);

 private:
  std::unordered_map<FixedFunctionKey, std::unique_ptr<FixedFunctionProgram>, FixedFunctionKeyHash>
      programs_;
};
