#pragma once
// A texture manager for tests that loads nothing: every name it is asked to load gets the
// next slot index, and every load, binding and release is written down.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "resources/texture_manager.h"

class FakeTextureManager final : public CTextureManager {
 public:
  FakeTextureManager() : CTextureManager(nullptr, nullptr, nullptr) {}

  // Fails (and gives the name no slot) for the names in `missing`.
  HRESULT LoadTexture(const std::string& name, TextureFormat format, DWORD flags) override;
  HRESULT FindTexture(const std::string& name, int* index) override;
  HRESULT SetTexture(DWORD stage, int index) override;
  HRESULT ReleaseTexture(int index) override;

  std::set<std::string> missing;
  std::vector<std::string> loads;  // "name format flags"
  std::vector<int> bound;          // the slot bound to stage 0 by each SetTexture
  std::vector<int> released;

 private:
  ~FakeTextureManager() override = default;

  std::map<std::string, int> slots_;
};
